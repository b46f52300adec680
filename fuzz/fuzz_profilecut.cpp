// The 254-byte cut of a profile value: the longest prefix that fits in 254 bytes of
// GB18030, never half a character.
#include "FuzzSupport.h"
#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString value = Fuzz::text(Fuzz::bytes(data, size));
    const QString cut = cutToProfileLimit(value);
    Fuzz::require(value.startsWith(cut), "the cut is a prefix");
    Fuzz::require(Fuzz::gb18030Size(cut) <= 254, "the cut fits in 254 bytes");
    if (cut.size() == value.size())
        return 0;
    // Text that is not UTF-16 (a surrogate without its other half) may be cut short.
    for (qsizetype i = 0; i < value.size(); ++i) {
        const bool paired = value.at(i).isHighSurrogate() ? i + 1 < value.size() && value.at(i + 1).isLowSurrogate()
                          : value.at(i).isLowSurrogate() ? i > 0 && value.at(i - 1).isHighSurrogate() : true;
        if (!paired)
            return 0;
    }
    const qsizetype at = cut.size();
    Fuzz::require(!(at > 0 && value.at(at - 1).isHighSurrogate() && value.at(at).isLowSurrogate()),
                  "the cut does not split a surrogate pair");
    const qsizetype next = value.at(at).isHighSurrogate() && at + 1 < value.size() && value.at(at + 1).isLowSurrogate() ? 2 : 1;
    Fuzz::require(Fuzz::gb18030Size(value.left(at + next)) > 254, "one more character would not fit");
    return 0;
}
