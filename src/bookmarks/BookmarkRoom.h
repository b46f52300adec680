#pragma once

#include "document/Room.h"
#include "document/AppContext.h"
#include "document/SuggestionList.h"

class BookmarkCategory;
class BookmarkPage;

// The bookmarks: their page, Ctrl+D and Ctrl+B, the toolbar's button, the pages
// document windows ask to file, what the address boxes suggest first, and their
// part of the options.
class BookmarkRoom : public Room
{
    Q_OBJECT
public:
    explicit BookmarkRoom(const AppContext &context, QObject *parent = nullptr);

    void install(const RoomAnchors &where) override;
    QList<OptionsSection *> optionsSections() override;

private:
    BookmarkPage *build();
    void addActivePage();
    static QList<Suggestion> suggestionsOf(const QList<BookmarkCategory> &categories);

    AppContext m_context;
    SuggestionList m_suggestions;
};
