#include "Suggestion.h"

namespace {

// QString::contains hashes every position for a short word; looking for its first
// character goes through the text many characters at a time.
bool holds(QStringView text, QStringView word)
{
    const QChar first = word.front();
    const QStringView rest = word.sliced(1);
    const qsizetype last = text.size() - word.size();
    for (qsizetype from = 0; from <= last;) {
        const qsizetype at = text.indexOf(first, from);
        if (at < 0 || at > last)
            return false;
        if (text.sliced(at + 1, rest.size()) == rest)
            return true;
        from = at + 1;
    }
    return false;
}

} // namespace

Suggestion Suggestion::make(const QString &title, const QString &address)
{
    return {title, address, (title + QLatin1Char('\n') + address).toCaseFolded()};
}

QStringList Suggestion::words(const QString &typed)
{
    // simplified() also turns the ideographic blank of Chinese input into a plain one.
    return typed.simplified().toCaseFolded().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool Suggestion::matches(const QStringList &words) const
{
    for (const QString &word : words)
        if (!holds(folded, word))
            return false;
    return true;
}
