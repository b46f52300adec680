#pragma once

#include "SuggestionSource.h"

#include <QList>

// A source that is replaced whole when its owner's data change, such as the
// bookmarks. Its first contents may come from a reader that runs at the first need.
class SuggestionList : public SuggestionSource
{
public:
    using Reader = std::function<QList<Suggestion>()>;

    void setReader(Reader reader) { m_reader = std::move(reader); }
    void set(QList<Suggestion> entries);
    qsizetype size() const { return m_entries.size(); }

    void collect(const QStringList &words, const Take &take) override;
    void prepare() override;

private:
    QList<Suggestion> m_entries;
    Reader m_reader;
};
