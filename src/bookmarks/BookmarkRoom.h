#pragma once

#include "document/Room.h"
#include "document/SubsystemContext.h"

class BookmarkPage;

// The bookmarks: their page, Ctrl+D and Ctrl+B, the toolbar's button, the pages
// document windows ask to file, and their part of the options.
class BookmarkRoom : public Room
{
    Q_OBJECT
public:
    explicit BookmarkRoom(const SubsystemContext &context, QObject *parent = nullptr);

    void install(const RoomSlots &where) override;
    QList<OptionsSection *> optionsSections() override;

private:
    BookmarkPage *build();
    void addActivePage();

    SubsystemContext m_context;
};
