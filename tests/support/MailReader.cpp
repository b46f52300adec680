#include "MailReader.h"

#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace {

const char *const Reader = R"(
import email, email.policy, json, sys
m = email.message_from_bytes(sys.stdin.buffer.read(), policy=email.policy.default)
sender = m['From'].addresses[0]
defects = len(m.defects) + sum(len(m[h].defects) for h in ('From', 'Subject', 'Date'))
print(json.dumps({'subject': str(m['Subject']), 'body': m.get_content(), 'from': sender.display_name,
                  'address': sender.addr_spec, 'date': m['Date'].datetime.timestamp(),
                  'charset': m.get_content_charset(), 'defects': defects}))
)";

} // namespace

QJsonObject readMail(const QByteArray &message)
{
    // Debian's own Python: a per-user one may not find its home under the tests' HOME.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    QProcess process;
    process.start(python.isEmpty() ? QStringLiteral("python3") : python, {QStringLiteral("-c"), QString::fromUtf8(Reader)});
    process.write(message);
    process.closeWriteChannel();
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {{QStringLiteral("error"), QString::fromUtf8(process.readAllStandardError())}};
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}
