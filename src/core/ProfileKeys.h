#pragma once

#include <QString>
#include <QStringView>

// The numbered keys of the profile files ("bk 1", "e 2", "t 100", "p 4") and the
// counts that say how far to read them.
namespace ProfileKeys {

// prefix, one blank, the number without leading zeros.
QString numbered(const QString &prefix, int number);
// The N of a key "prefix N" (prefix compared without regard to case); 0 for any
// other key, which a lookup of numbered(prefix, N) would never find.
int numberOf(QStringView key, QStringView prefix);
// A stored count or number: a whole number, held to 0 .. limit; anything else reads as 0.
int count(const QString &value, int limit);

} // namespace ProfileKeys
