#include "ProfileKeys.h"

#include <algorithm>

namespace {

std::optional<int> wholeNumber(QStringView text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

namespace ProfileKeys {

QString numbered(const QString &prefix, int number)
{
    return prefix + u' ' + QString::number(number);
}

int numberOf(QStringView key, QStringView prefix)
{
    const qsizetype start = prefix.size() + 1;
    // Nine digits at most: every number a store gives out, none that could overflow.
    if (key.size() <= start || key.size() > start + 9 || key.at(start - 1) != u' ' || key.at(start) == u'0'
        || !key.startsWith(prefix, Qt::CaseInsensitive))
        return 0;
    return digitsValue(key.mid(start)).value_or(0);
}

int count(const QString &value, int limit)
{
    return qBound(0, wholeNumber(value).value_or(0), limit);
}

std::optional<int> digitsValue(QStringView digits)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), digit))
        return std::nullopt;
    return wholeNumber(digits);
}

QString storedTitle(const QString &title)
{
    return QString(title).replace(u',', u'，');
}

} // namespace ProfileKeys
