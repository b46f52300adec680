#include "TypedAddress.h"

#include <QDir>
#include <QRegularExpression>

namespace {

// Schemes that are written without "//" after the colon.
const QStringList OpaqueSchemes{QStringLiteral("about"), QStringLiteral("mailto"), QStringLiteral("data"),
                                QStringLiteral("javascript"), QStringLiteral("view-source"), QStringLiteral("file"),
                                QStringLiteral("blob"), QStringLiteral("tel"), QStringLiteral("magnet")};

bool isLocalPath(const QString &text)
{
    return text.startsWith(u'/') || text == u'~' || text.startsWith(QLatin1String("~/"))
        || text.startsWith(QLatin1String("./")) || text.startsWith(QLatin1String("../"));
}

QString expandedPath(const QString &text)
{
    if (text == u'~' || text.startsWith(QLatin1String("~/")))
        return QDir::homePath() + text.mid(1);
    return QDir::cleanPath(QDir::current().absoluteFilePath(text));
}

bool hasScheme(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression port(QStringLiteral("^[0-9]+([/?#].*)?$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = scheme.match(text);
    if (!match.hasMatch() || port.match(match.captured(2)).hasMatch())
        return false; // "host:8080/x" names a port, not a scheme
    return match.captured(2).startsWith(QLatin1String("//"))
        || OpaqueSchemes.contains(match.captured(1), Qt::CaseInsensitive);
}

bool looksLikeHost(const QString &text)
{
    static const QRegularExpression localhost(QStringLiteral("^localhost([:/?#].*)?$"),
                                              QRegularExpression::CaseInsensitiveOption
                                                  | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression withPort(QStringLiteral("^[^/?#]+:[0-9]+([/?#].*)?$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    return text.startsWith(u'[') || text.contains(u'.') || localhost.match(text).hasMatch()
        || withPort.match(text).hasMatch();
}

bool hasBlank(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

QUrl asHost(const QString &text)
{
    return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
}

} // namespace

namespace TypedAddress {

Kind classify(const QString &typed)
{
    const QString text = typed.trimmed();
    if (isLocalPath(text))
        return Kind::LocalFile;
    if (hasScheme(text))
        return Kind::Address;
    if (!hasBlank(text) && looksLikeHost(text))
        return Kind::Host;
    return Kind::Search;
}

QUrl resolve(const QString &typed, const Search &search)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QUrl();
    switch (classify(text)) {
    case Kind::LocalFile:
        return QUrl::fromLocalFile(expandedPath(text));
    case Kind::Address:
        return QUrl(text, QUrl::TolerantMode);
    case Kind::Host:
        return asHost(text);
    case Kind::Search:
        break;
    }
    const QString address = search ? search(text) : QString();
    return address.isEmpty() ? asHost(text) : QUrl(address, QUrl::TolerantMode);
}

} // namespace TypedAddress
