#include "IniDocument.h"

#include <QSet>

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only spaces and tabs count: other control characters belong to the value.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

std::optional<QStringView> sectionName(QStringView line)
{
    const QStringView trimmed = trimBlanks(line);
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimBlanks(trimmed.mid(1, close - 1));
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// As the Windows profile functions read a value: blanks around it dropped, then
// one pair of matching quotes around what is left.
QStringView readValue(QStringView raw)
{
    const QStringView value = trimBlanks(raw);
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool isComment(QStringView line)
{
    const QStringView trimmed = trimBlanks(line);
    return trimmed.startsWith(u';');
}

// The part before the first '=', trimmed; a key may contain blanks inside ("bk 1").
std::optional<QStringView> keyName(QStringView line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0 || isComment(line) || sectionName(line))
        return std::nullopt;
    return trimBlanks(line.left(eq));
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Counts are written as Str writes a number, " 4": that blank is layout, not value.
bool isCount(QStringView value)
{
    return value.size() > 1 && value.front() == u' '
           && std::all_of(value.begin() + 1, value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A line break inside a value would split it and could forge a section header.
// What reading would change at the ends (blanks, a pair of quotes) goes in quotes.
QString written(const QString &value)
{
    QString line = value;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    if (readValue(line).size() != line.size() && !isCount(line))
        return u'"' + line + u'"';
    return line;
}

} // namespace

IniDocument IniDocument::fromText(const QString &text)
{
    IniDocument doc;
    if (text.isEmpty())
        return doc;
    doc.m_lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        doc.m_lines.removeLast();
    for (QString &line : doc.m_lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return doc;
}

void IniDocument::scan(QStringView text, const KeyVisitor &visit)
{
    QSet<QString> seen;
    QStringView section;
    bool first = false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        start = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (const auto name = sectionName(line)) {
            section = *name;
            const QString folded = name->toString().toCaseFolded();
            first = !seen.contains(folded);
            seen.insert(folded);
            continue;
        }
        const qsizetype eq = first ? line.indexOf(u'=') : -1;
        if (eq >= 0 && !isComment(line))
            visit(section, trimBlanks(line.left(eq)), readValue(line.mid(eq + 1)));
    }
}

QString IniDocument::toText(const QString &lineEnd) const
{
    QString text;
    for (const QString &line : m_lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    for (const QString &line : m_lines) {
        if (const auto name = sectionName(line))
            names.append(name->toString());
    }
    return names;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype row = findKey(header, key);
    if (row < 0)
        return std::nullopt;
    const QString &line = m_lines.at(row);
    return readValue(QStringView(line).mid(line.indexOf(u'=') + 1)).toString();
}

QHash<QString, QString> IniDocument::section(const QString &section) const
{
    QHash<QString, QString> entries;
    const qsizetype header = findSection(section);
    if (header < 0)
        return entries;
    const qsizetype end = sectionEnd(header);
    entries.reserve(end - header - 1);
    // Backwards, so that the first of a repeated key is the one left standing.
    for (qsizetype i = end - 1; i > header; --i) {
        const QStringView line = m_lines.at(i);
        const auto key = keyName(line);
        if (key)
            entries.insert(key->toString().toCaseFolded(), readValue(line.mid(line.indexOf(u'=') + 1)).toString());
    }
    return entries;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString entry = written(value);
    qsizetype header = findSection(section);
    if (header < 0) {
        m_lines.append(u'[' + section + u']');
        m_lines.append(key + u'=' + entry);
        return;
    }
    const qsizetype row = findKey(header, key);
    if (row >= 0) {
        // Keep the key as it was spelled and a "key = value" layout; in "key= value"
        // the blank came with the value (profile counts are written so) and goes with it.
        QString &line = m_lines[row];
        const qsizetype eq = line.indexOf(u'=');
        qsizetype start = eq + 1;
        while (eq > 0 && isBlank(line.at(eq - 1)) && start < line.size() && isBlank(line.at(start)))
            ++start;
        line = line.left(start) + entry;
        return;
    }
    m_lines.insert(insertionPoint(header), key + u'=' + entry);
}

qsizetype IniDocument::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines.at(i));
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !sectionName(m_lines.at(i)))
        ++i;
    return i;
}

qsizetype IniDocument::findKey(qsizetype header, const QString &key) const
{
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto name = keyName(m_lines.at(i));
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

// After the section's last non-blank line, so the blank lines that separate
// it from the next section stay where they are.
qsizetype IniDocument::insertionPoint(qsizetype header) const
{
    qsizetype end = sectionEnd(header);
    while (end > header + 1 && trimBlanks(m_lines.at(end - 1)).isEmpty())
        --end;
    return end;
}
