#include "ProfileKeys.h"

namespace ProfileKeys {

QString numbered(const QString &prefix, int number)
{
    return prefix + u' ' + QString::number(number);
}

int numberOf(QStringView key, QStringView prefix)
{
    const qsizetype start = prefix.size() + 1;
    // Nine digits at most, so the number cannot overflow.
    if (key.size() <= start || key.size() > start + 9 || key.at(start - 1) != u' ' || key.at(start) == u'0'
        || !key.startsWith(prefix, Qt::CaseInsensitive))
        return 0;
    int number = 0;
    for (const QChar c : key.mid(start)) {
        if (c < u'0' || c > u'9')
            return 0;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

int count(const QString &value, int limit)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok ? qBound(0, number, limit) : 0;
}

} // namespace ProfileKeys
