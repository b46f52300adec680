#include "NetscapeBookmarks.h"

#include "HtmlEntities.h"
#include "HtmlScanner.h"
#include "NetscapeReader.h"
#include "core/FileReplace.h"

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>

namespace {

// The META tag comes first in every writer's output; no need to scan a whole large file for it.
constexpr qsizetype CharsetSearchBytes = 4096;

QByteArray charsetOf(const QHash<QString, QString> &attributes)
{
    QString value = attributes.value(QStringLiteral("charset"));
    if (value.isEmpty()) {
        const QString content = attributes.value(QStringLiteral("content"));
        const qsizetype at = content.indexOf(QStringLiteral("charset="), 0, Qt::CaseInsensitive);
        if (at < 0)
            return QByteArray();
        value = content.mid(at + 8).section(u';', 0, 0);
    }
    value.remove(u'"').remove(u'\'');
    return value.trimmed().toLatin1();
}

QByteArray metaCharset(const QByteArray &bytes)
{
    HtmlScanner scanner(QString::fromLatin1(bytes.left(CharsetSearchBytes)));
    HtmlToken token;
    while (scanner.next(&token)) {
        if (token.kind != HtmlToken::StartTag || token.name != QStringLiteral("meta"))
            continue;
        const QByteArray charset = charsetOf(token.attributes);
        if (!charset.isEmpty())
            return charset;
    }
    return QByteArray();
}

QString decode(const QByteArray &bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes))
        return QStringDecoder(*bom).decode(bytes);
    QByteArray charset = metaCharset(bytes);
    // Files labelled GB2312 are GBK in practice, and browsers read them so.
    if (charset.compare("gb2312", Qt::CaseInsensitive) == 0)
        charset = QByteArrayLiteral("GBK");
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.constData());
    if (decoder.isValid())
        return decoder.decode(bytes);
    return QStringDecoder(QStringDecoder::Utf8).decode(bytes);
}

// Everything on one line: a line break would cut the element for line-based readers.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return HtmlEntities::escape(line);
}

// Browsers drop line breaks and tabs from addresses anyway.
QString address(const QString &text)
{
    QString cleaned = text;
    cleaned.remove(u'\n').remove(u'\r').remove(u'\t');
    return HtmlEntities::escape(cleaned);
}

QString html(const QList<ExchangeCategory> &categories, qint64 now)
{
    QString out = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                                 "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                                 "<TITLE>Bookmarks</TITLE>\n"
                                 "<H1>Bookmarks</H1>\n"
                                 "<DL><p>\n");
    const QString date = QString::number(now);
    for (const ExchangeCategory &category : categories) {
        out += QStringLiteral("    <DT><H3 ADD_DATE=\"%1\">%2</H3>\n    <DL><p>\n").arg(date, oneLine(category.name));
        for (const ExchangeBookmark &bookmark : category.bookmarks) {
            const QString added = bookmark.added > 0 ? QString::number(bookmark.added) : date;
            out += QStringLiteral("        <DT><A HREF=\"%1\" ADD_DATE=\"%2\">%3</A>\n")
                       .arg(address(bookmark.address), added, oneLine(bookmark.name));
        }
        out += QStringLiteral("    </DL><p>\n");
    }
    out += QStringLiteral("</DL><p>\n");
    return out;
}

} // namespace

namespace NetscapeBookmarks {

QList<ExchangeCategory> read(const QByteArray &bytes)
{
    return NetscapeReader::read(decode(bytes));
}

std::optional<QList<ExchangeCategory>> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return read(file.readAll());
}

bool write(const QList<ExchangeCategory> &categories, const QString &path)
{
    return replaceFile(path, html(categories, QDateTime::currentSecsSinceEpoch()).toUtf8());
}

} // namespace NetscapeBookmarks
