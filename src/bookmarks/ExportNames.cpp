#include "ExportNames.h"

#include <QFile>

namespace {

constexpr qsizetype MaxNameBytes = 255;

// As the file system is given the name: a surrogate alone takes three bytes there,
// where QString::toUtf8 would write one.
qsizetype utf8Bytes(QStringView text)
{
    return QFile::encodeName(text.toString()).size();
}

// Bytes of the character at i as the file system is given it: a pair makes four, and a
// high surrogate alone is kept with what follows it.
qsizetype bytesAt(const QString &name, qsizetype i, qsizetype *width)
{
    const auto single = [](char16_t c) -> qsizetype { return c < 0x80 ? 1 : c < 0x800 ? 2 : 3; };
    const char16_t c = name.at(i).unicode();
    *width = QChar::isHighSurrogate(c) && i + 1 < name.size() ? 2 : 1;
    if (*width == 1)
        return single(c);
    const char16_t next = name.at(i + 1).unicode();
    return QChar::isLowSurrogate(next) ? 4 : 3 + single(next);
}

// The longest prefix of at most maxBytes in UTF-8 that does not split a surrogate pair.
QString cutToBytes(const QString &name, qsizetype maxBytes)
{
    if (utf8Bytes(name) <= maxBytes)
        return name;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        qsizetype width = 1;
        const qsizetype bytes = bytesAt(name, i, &width);
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += width;
    }
    return name.left(i);
}

// A leading dot hides the file on Linux, and "." and ".." are not names at all:
// the dots before the first other character become one '_'.
QString withoutSeparators(QString name)
{
    name.replace(u'/', u'_');
    name.replace(QChar(u'\0'), u'_');
    qsizetype dots = 0;
    while (dots < name.size() && name.at(dots) == u'.')
        ++dots;
    if (dots > 0 || name.isEmpty())
        name.replace(0, dots, u'_');
    return name;
}

} // namespace

ExportNames::ExportNames(const QString &suffix)
    : m_suffix(suffix)
{
}

QString ExportNames::safe(const QString &name, const QString &suffix)
{
    return cutToBytes(withoutSeparators(name), MaxNameBytes - utf8Bytes(suffix));
}

QString ExportNames::unique(const QString &name)
{
    const QString first = safe(name, m_suffix) + m_suffix;
    QString candidate = first;
    // Counting on from the last number given to this name keeps many equal names linear.
    int &n = m_lastNumber[first];
    while (m_taken.contains(QFile::encodeName(candidate))) {
        n = qMax(n, 1) + 1;
        const QString tail = QStringLiteral(" (%1)").arg(n) + m_suffix;
        candidate = safe(name, tail) + tail;
    }
    m_taken.insert(QFile::encodeName(candidate));
    return candidate;
}
