#include "HtmlScanner.h"

#include "HtmlEntities.h"

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isHtmlSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool endsName(QChar c)
{
    return isHtmlSpace(c) || c == u'>' || c == u'/' || c == u'=';
}

} // namespace

HtmlScanner::HtmlScanner(const QString &text)
    : m_text(text)
{
}

bool HtmlScanner::next(HtmlToken *token)
{
    while (m_pos < m_text.size()) {
        if (m_text.at(m_pos) != u'<' || !startsTag(m_pos)) {
            qsizetype end = m_text.indexOf(u'<', m_pos + 1);
            if (end < 0)
                end = m_text.size();
            *token = HtmlToken();
            token->text = m_text.mid(m_pos, end - m_pos);
            m_pos = end;
            return true;
        }
        const QStringView rest = QStringView(m_text).mid(m_pos);
        if (rest.startsWith(u"<!--")) {
            m_pos = skipUntil(m_pos + 4, u"-->");
        } else if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
            m_pos = skipUntil(m_pos + 2, u">");
        } else {
            readTag(token);
            return true;
        }
    }
    return false;
}

// Just past the first end found at or after from, or the end of the text.
qsizetype HtmlScanner::skipUntil(qsizetype from, QStringView end) const
{
    const qsizetype at = m_text.indexOf(end, from);
    return at < 0 ? m_text.size() : at + end.size();
}

bool HtmlScanner::startsTag(qsizetype at) const
{
    if (at + 1 >= m_text.size())
        return false;
    const QChar c = m_text.at(at + 1);
    if (c == u'!' || c == u'?' || isAsciiLetter(c))
        return true;
    return c == u'/' && at + 2 < m_text.size() && isAsciiLetter(m_text.at(at + 2));
}

void HtmlScanner::readTag(HtmlToken *token)
{
    *token = HtmlToken();
    ++m_pos;
    token->kind = HtmlToken::StartTag;
    if (m_text.at(m_pos) == u'/') {
        token->kind = HtmlToken::EndTag;
        ++m_pos;
    }
    token->name = readName();
    readAttributes(token);
}

void HtmlScanner::readAttributes(HtmlToken *token)
{
    while (true) {
        skipBlanks();
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text.at(m_pos);
        if (c == u'>') {
            ++m_pos;
            return;
        }
        if (c == u'/' || c == u'=') {
            ++m_pos;
            continue;
        }
        const QString name = readName();
        skipBlanks();
        QString value;
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'=') {
            ++m_pos;
            skipBlanks();
            value = readAttributeValue();
        }
        // The first of repeated attributes counts, as in browsers.
        if (!token->attributes.contains(name))
            token->attributes.insert(name, value);
    }
}

QString HtmlScanner::readAttributeValue()
{
    if (m_pos >= m_text.size())
        return QString();
    const QChar quote = m_text.at(m_pos);
    if (quote == u'"' || quote == u'\'') {
        const qsizetype start = m_pos + 1;
        qsizetype end = m_text.indexOf(quote, start);
        if (end < 0)
            end = m_text.size();
        m_pos = qMin(end + 1, m_text.size());
        return HtmlEntities::decode(QStringView(m_text).mid(start, end - start));
    }
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && !isHtmlSpace(m_text.at(m_pos)) && m_text.at(m_pos) != u'>')
        ++m_pos;
    return HtmlEntities::decode(QStringView(m_text).mid(start, m_pos - start));
}

QString HtmlScanner::readName()
{
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && !endsName(m_text.at(m_pos)))
        ++m_pos;
    return m_text.mid(start, m_pos - start).toLower();
}

void HtmlScanner::skipBlanks()
{
    while (m_pos < m_text.size() && isHtmlSpace(m_text.at(m_pos)))
        ++m_pos;
}
