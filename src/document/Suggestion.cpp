#include "Suggestion.h"

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
        if (!folded.contains(word))
            return false;
    return true;
}
