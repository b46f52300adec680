#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The numbered keys of the profile files ("bk 1", "e 2", "t 100", "p 4") and the
// counts that say how far to read them.
namespace ProfileKeys {

// prefix, one blank, the number without leading zeros.
QString numbered(const QString &prefix, int number);
// The N of a key "prefix N" (prefix compared without regard to case); 0 for any
// other key, which a lookup of numbered(prefix, N) would never find.
int numberOf(QStringView key, QStringView prefix);
// A stored count or number: a whole number (ASCII digits, a sign and blanks around them
// allowed), held to 0 .. limit; anything else ("2x", "1.5", "") reads as 0.
int count(const QString &value, int limit);
// The same reading for text that is digits and nothing else (no sign, no blanks):
// their value, nullopt for anything else or for a number beyond an int.
std::optional<int> digitsValue(QStringView digits);
// What a title becomes before the comma of a "title,rest" value: its own commas
// full-width, as the first comma ends the title.
QString storedTitle(const QString &title);

} // namespace ProfileKeys
