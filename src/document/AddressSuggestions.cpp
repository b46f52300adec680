#include "AddressSuggestions.h"

#include "SuggestionSource.h"

void AddressSuggestions::offer(SuggestionSource *source, const QIcon &icon)
{
    m_sources.insert(m_sources.size() - (m_hasVisited ? 1 : 0), {source, icon});
}

void AddressSuggestions::setVisited(SuggestionSource *visited, const QIcon &icon)
{
    if (m_hasVisited)
        m_sources.removeLast();
    m_sources.append({visited, icon});
    m_hasVisited = true;
}

QList<AddressSuggestions::Row> AddressSuggestions::suggest(const QString &typed) const
{
    const QStringList words = Suggestion::words(typed);
    QList<Row> rows;
    if (words.isEmpty())
        return rows;
    for (qsizetype source = 0; source < m_sources.size() && rows.size() < Limit; ++source) {
        m_sources.at(source).first->collect(words, [&rows, source](const Suggestion &entry) {
            const bool known = std::any_of(rows.cbegin(), rows.cend(),
                                           [&entry](const Row &row) { return row.entry.address == entry.address; });
            if (!known)
                rows.append({entry, source});
            return rows.size() < Limit;
        });
    }
    return rows;
}

void AddressSuggestions::prepare() const
{
    for (const auto &[source, icon] : m_sources)
        source->prepare();
}
