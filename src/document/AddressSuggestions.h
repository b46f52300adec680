#pragma once

#include "Suggestion.h"

#include <QIcon>
#include <QList>

class SuggestionSource;

// What the address boxes suggest for a typed text: entries of the sources rooms
// offer, in the order offered, then the visited pages; each address once.
class AddressSuggestions
{
public:
    static constexpr qsizetype Limit = 10;

    struct Row {
        Suggestion entry;
        qsizetype source; // an index for icon()
    };

    void offer(SuggestionSource *source, const QIcon &icon);
    void setVisited(SuggestionSource *visited, const QIcon &icon);

    // At most Limit rows whose title or address holds every typed word; none for blank text.
    QList<Row> suggest(const QString &typed) const;
    QIcon icon(qsizetype source) const { return m_sources.value(source).second; }
    // Reads what the sources do not hold in memory yet.
    void prepare() const;

private:
    QList<std::pair<SuggestionSource *, QIcon>> m_sources; // the visited pages last
    bool m_hasVisited = false;
};
