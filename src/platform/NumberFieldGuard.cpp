#include "NumberFieldGuard.h"

#include "core/SettingsStore.h"

#include <QLineEdit>

#include <algorithm>

NumberFieldGuard::NumberFieldGuard(QLineEdit *field, Rules rules, std::function<void(const QString &)> report)
    : QObject(field), m_field(field), m_rules(std::move(rules)), m_report(std::move(report))
{
    connect(field, &QLineEdit::textChanged, this, &NumberFieldGuard::check);
}

QString NumberFieldGuard::problem(const QString &text, const Rules &rules)
{
    if (text.startsWith(u'0'))
        return QStringLiteral("首位不可以为0");
    if (text.size() > rules.maxLength || (rules.maxValue > 0 && leadingNumber(text).value_or(0) > rules.maxValue))
        return rules.tooBig;
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c < u'0' || c > u'9'; }))
        return QStringLiteral("请输入一个数字");
    return QString();
}

// The field is emptied first, so the message tells of a field already put right.
void NumberFieldGuard::check()
{
    if (m_clearing)
        return;
    const QString why = problem(m_field->text(), m_rules);
    if (why.isEmpty())
        return;
    m_clearing = true;
    m_field->clear();
    m_clearing = false;
    m_report(why);
}
