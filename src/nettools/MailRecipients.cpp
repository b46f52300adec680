#include "MailRecipients.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace {

bool plainAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// What may not stand in an address of ours, wherever it is.
bool forbidden(QChar c)
{
    return c.isSpace() || c == u'<' || c == u'>' || c.category() == QChar::Other_Control || c == u'"' || c == u'\\'
        || c == u'(' || c == u')' || c == u',' || c == u';' || c == u':' || c == u'[' || c == u']';
}

} // namespace

QString MailRecipients::normalized(const QString &address)
{
    const qsizetype at = address.lastIndexOf(u'@');
    if (at <= 0 || at == address.size() - 1 || address.count(u'@') != 1
        || std::any_of(address.begin(), address.end(), forbidden))
        return QString();
    const QString domain = address.mid(at + 1);
    const QString ascii = plainAscii(domain) ? domain : QString::fromLatin1(QUrl::toAce(domain, QUrl::AceTransitionalProcessing));
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    if (!hostName.match(ascii).hasMatch())
        return QString();
    return address.left(at + 1) + ascii;
}

bool MailRecipients::needsUtf8(const QString &address)
{
    return !plainAscii(QStringView(address).left(address.lastIndexOf(u'@')));
}

MailRecipients MailRecipients::parse(const QString &field)
{
    static const QRegularExpression separators(QStringLiteral("[,，;；\\s]+"), QRegularExpression::UseUnicodePropertiesOption);
    MailRecipients found;
    for (const QString &written : field.split(separators, Qt::SkipEmptyParts)) {
        const QString address = normalized(written);
        if (address.isEmpty()) {
            found.invalid = written;
            return found;
        }
        if (!found.addresses.contains(address))
            found.addresses.append(address);
    }
    return found;
}
