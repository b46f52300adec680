#include "OwnWarnings.h"

#include <QList>
#include <QTest>

namespace {

QtMessageHandler previous = nullptr;
QList<ExpectedWarning *> expected;

bool consume(const QString &message)
{
    for (ExpectedWarning *warning : expected) {
        if (!warning->seen && message.contains(warning->pattern)) {
            warning->seen = true;
            return true;
        }
    }
    return false;
}

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool ours = context.category && qstrncmp(context.category, "vantorel.", 9) == 0;
    if (ours && type != QtDebugMsg && type != QtInfoMsg && !consume(message))
        QTest::qFail(qPrintable(QStringLiteral("unexpected warning: ") + message), context.file, context.line);
    previous(type, context, message);
}

} // namespace

void failOnOwnWarnings()
{
    if (!previous)
        previous = qInstallMessageHandler(handler);
}

ExpectedWarning::ExpectedWarning(const QRegularExpression &pattern) : pattern(pattern) { expected.append(this); }

ExpectedWarning::~ExpectedWarning()
{
    expected.removeOne(this);
    if (!seen)
        QTest::qFail(qPrintable(QStringLiteral("expected warning never came: ") + pattern.pattern()), __FILE__,
                     __LINE__);
}
