#pragma once

#include "document/Room.h"
#include "document/AppContext.h"

class BookmarkPage;

// The bookmarks: their page, Ctrl+D and Ctrl+B, the toolbar's button, the pages
// document windows ask to file, and their part of the options.
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

    AppContext m_context;
};
