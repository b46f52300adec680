#include "TypedAddress.h"

#include <QDir>

#include <algorithm>

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

// Read by hand rather than by patterns: the first page's address passes here at every
// start, and patterns would load and compile the regular-expression engine for it.
bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool endsHost(QChar c) { return c == u'/' || c == u'?' || c == u'#'; }

// A port: digits, then nothing or a path, query or fragment ("8080", "8080/x").
bool isPort(QStringView text)
{
    const auto digits = std::find_if_not(text.begin(), text.end(), isAsciiDigit);
    return digits != text.begin() && (digits == text.end() || endsHost(*digits));
}

bool hasScheme(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || !isAsciiLetter(text.front()))
        return false;
    const QStringView scheme = QStringView(text).left(colon);
    const auto schemeChar = [](QChar c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == u'+' || c == u'.' || c == u'-'; };
    const QStringView rest = QStringView(text).mid(colon + 1);
    if (!std::all_of(scheme.begin(), scheme.end(), schemeChar) || isPort(rest))
        return false; // "host:8080/x" names a port, not a scheme
    return rest.startsWith(u"//") || OpaqueSchemes.contains(scheme, Qt::CaseInsensitive);
}

bool isLocalhost(QStringView text)
{
    const QStringView name = u"localhost";
    return text.startsWith(name, Qt::CaseInsensitive)
        && (text.size() == name.size() || text.at(name.size()) == u':' || endsHost(text.at(name.size())));
}

// "name:8080", "name:8080/x": a port after the last colon of the host part.
bool hasPort(QStringView text)
{
    const QStringView host = text.left(std::find_if(text.begin(), text.end(), endsHost) - text.begin());
    const qsizetype colon = host.lastIndexOf(u':');
    return colon >= 1 && isPort(text.mid(colon + 1));
}

bool looksLikeHost(const QString &text)
{
    return text.startsWith(u'[') || text.contains(u'.') || isLocalhost(text) || hasPort(text);
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
