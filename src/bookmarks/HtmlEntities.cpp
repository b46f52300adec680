#include "HtmlEntities.h"

#include <QHash>

namespace {

const QHash<QString, QChar> &namedEntities()
{
    static const QHash<QString, QChar> names = {
        {QStringLiteral("amp"), u'&'},   {QStringLiteral("AMP"), u'&'},   {QStringLiteral("lt"), u'<'},
        {QStringLiteral("LT"), u'<'},    {QStringLiteral("gt"), u'>'},    {QStringLiteral("GT"), u'>'},
        {QStringLiteral("quot"), u'"'},  {QStringLiteral("QUOT"), u'"'},  {QStringLiteral("apos"), u'\''},
        {QStringLiteral("nbsp"), QChar(0x00A0)},
    };
    return names;
}

bool isDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c)
{
    return isDecimalDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

void appendCodePoint(QString *out, uint code)
{
    // Zero, surrogates and values beyond Unicode are not characters.
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        code = 0xFFFD;
    const char32_t c = code;
    out->append(QString::fromUcs4(&c, 1));
}

// Decodes the numeric reference whose digits start at from; returns where it ends, or 0.
qsizetype numeric(QStringView text, qsizetype from, QString *out)
{
    const bool hex = from < text.size() && (text[from] == u'x' || text[from] == u'X');
    qsizetype i = hex ? from + 1 : from;
    const qsizetype digits = i;
    while (i < text.size() && (hex ? isHexDigit(text[i]) : isDecimalDigit(text[i])))
        ++i;
    if (i == digits)
        return 0;
    appendCodePoint(out, text.mid(digits, i - digits).toUInt(nullptr, hex ? 16 : 10));
    if (i < text.size() && text[i] == u';')
        ++i;
    return i;
}

// Decodes the named reference whose name starts at from; returns where it ends, or 0.
qsizetype named(QStringView text, qsizetype from, QString *out)
{
    qsizetype i = from;
    while (i < text.size() && text[i].isLetterOrNumber())
        ++i;
    if (i >= text.size() || text[i] != u';')
        return 0;
    const auto found = namedEntities().constFind(text.mid(from, i - from).toString());
    if (found == namedEntities().cend())
        return 0;
    out->append(*found);
    return i + 1;
}

} // namespace

namespace HtmlEntities {

QString decode(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = 0;
        if (text[i] == u'&' && i + 1 < text.size())
            end = text[i + 1] == u'#' ? numeric(text, i + 2, &out) : named(text, i + 1, &out);
        if (end > 0) {
            i = end;
        } else {
            out.append(text[i]);
            ++i;
        }
    }
    return out;
}

QString escape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        case u'"': out += QStringLiteral("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

} // namespace HtmlEntities
