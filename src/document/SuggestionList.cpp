#include "SuggestionList.h"

void SuggestionList::set(QList<Suggestion> entries)
{
    m_reader = nullptr;
    m_entries = std::move(entries);
}

void SuggestionList::prepare()
{
    if (m_reader)
        set(m_reader());
}

void SuggestionList::collect(const QStringList &words, const Take &take)
{
    prepare();
    for (const Suggestion &entry : std::as_const(m_entries))
        if (entry.matches(words) && !take(entry))
            return;
}
