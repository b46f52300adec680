#include "NetscapeReader.h"

#include "HtmlEntities.h"
#include "HtmlScanner.h"

#include <QSet>

namespace {

// Tags that end whatever heading or link came before, closed or not: older
// files leave <A> and <H3> open at the end of a line.
const QSet<QString> &structuralTags()
{
    static const QSet<QString> tags = {QStringLiteral("dd"), QStringLiteral("dl"), QStringLiteral("h1"),
                                       QStringLiteral("h3"), QStringLiteral("a"),  QStringLiteral("hr")};
    return tags;
}

// Runs of HTML white space become one space; a no-break space stays.
QString collapseSpaces(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool space = false;
    for (QChar c : text) {
        const bool blank = c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
        if (blank) {
            space = !out.isEmpty();
            continue;
        }
        if (space)
            out += u' ';
        space = false;
        out += c;
    }
    return out;
}

// Seconds, though some writers give milliseconds or microseconds. What is past the
// year 5000 even so is no date: written back as seconds, it would read as another.
qint64 seconds(const QString &text)
{
    constexpr qint64 Latest = 100'000'000'000LL;
    qint64 value = text.trimmed().toLongLong();
    if (value > Latest * 1'000)
        value /= 1'000'000;
    else if (value > Latest)
        value /= 1'000;
    return value > 0 && value <= Latest ? value : 0;
}

} // namespace

QList<ExchangeCategory> NetscapeReader::read(const QString &html)
{
    NetscapeReader reader;
    HtmlScanner scanner(html);
    HtmlToken token;
    while (scanner.next(&token))
        reader.handle(token);
    reader.finishCapture();
    dropEmptyCategories(&reader.m_categories);
    return reader.m_categories;
}

void NetscapeReader::handle(const HtmlToken &token)
{
    if (token.kind == HtmlToken::Text) {
        if (m_capture != Capture::None)
            m_captured += token.text;
        return;
    }
    if (!structuralTags().contains(token.name))
        return;
    finishCapture();
    if (token.kind == HtmlToken::StartTag) {
        startTag(token);
    } else if (token.name == QStringLiteral("dl") && !m_lists.isEmpty()) {
        m_lists.removeLast();
        m_current = m_lists.isEmpty() ? QString() : m_lists.last();
    }
}

void NetscapeReader::startTag(const HtmlToken &token)
{
    if (token.name == QStringLiteral("dl")) {
        openList();
        return;
    }
    // A folder's <DD> description may stand between its <H3> and its <DL>.
    if (token.name != QStringLiteral("dd"))
        m_hasPendingFolder = false;
    if (token.name == QStringLiteral("h1")) {
        m_capture = Capture::Heading;
    } else if (token.name == QStringLiteral("h3")) {
        m_capture = Capture::Folder;
    } else if (token.name == QStringLiteral("a")) {
        m_capture = Capture::Anchor;
        // As browsers read an address: line breaks and tabs in it are dropped.
        m_href = token.attributes.value(QStringLiteral("href")).remove(u'\n').remove(u'\r').remove(u'\t').trimmed();
        m_addDate = token.attributes.value(QStringLiteral("add_date"));
    }
}

void NetscapeReader::finishCapture()
{
    const QString text = collapseSpaces(HtmlEntities::decode(m_captured));
    switch (m_capture) {
    case Capture::Heading:
        if (!text.isEmpty())
            m_heading = cutName(text);
        break;
    case Capture::Folder:
        m_pendingFolder = categoryName(text);
        m_hasPendingFolder = true;
        break;
    case Capture::Anchor:
        addBookmark(text);
        break;
    case Capture::None:
        break;
    }
    m_capture = Capture::None;
    m_captured.clear();
}

// A <DL> after an <H3> opens that folder; any other <DL>, or one deeper than any
// real tree, continues the one around it.
void NetscapeReader::openList()
{
    if (m_hasPendingFolder && m_lists.size() <= MaxFolderDepth)
        m_current = m_current.isNull() ? m_pendingFolder : nestedCategoryName(m_current, m_pendingFolder);
    m_hasPendingFolder = false;
    m_lists.append(m_current);
    category(m_current);
}

void NetscapeReader::addBookmark(const QString &name)
{
    if (m_href.isEmpty() || m_href.startsWith(QStringLiteral("place:"), Qt::CaseInsensitive))
        return;
    // A link without text is named by its address, read as any name is.
    category(m_current).bookmarks.append({name.isEmpty() ? collapseSpaces(m_href) : name, m_href, seconds(m_addDate)});
}

ExchangeCategory &NetscapeReader::category(const QString &name)
{
    const QString shown = name.isNull() ? m_heading : name;
    auto found = m_index.constFind(shown);
    if (found == m_index.cend()) {
        found = m_index.insert(shown, m_categories.size());
        m_categories.append({shown, {}});
    }
    return m_categories[*found];
}
