#pragma once

#include "Suggestion.h"

#include <functional>

// What address boxes suggest from: entries held in memory. A room offers one
// through Documents; the visited pages are another.
class SuggestionSource
{
public:
    // Takes one entry; false when enough have been taken.
    using Take = std::function<bool(const Suggestion &entry)>;

    virtual ~SuggestionSource() = default;
    // Hands take the entries that hold every word, best first, until it has enough.
    virtual void collect(const QStringList &words, const Take &take) = 0;
    // An address box took the focus: what is not in memory yet is read now,
    // before the first key, rather than while typing.
    virtual void prepare() {}
};
