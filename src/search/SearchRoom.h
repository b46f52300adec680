#pragma once

#include "document/Room.h"
#include "document/SubsystemContext.h"

class SearchPage;

// The multi-engine search: its page, Ctrl+K, and the searches document windows ask for.
class SearchRoom : public Room
{
    Q_OBJECT
public:
    explicit SearchRoom(const SubsystemContext &context, QObject *parent = nullptr);

    void install(const RoomSlots &where) override;
    // Searches with the ticked engines; with none ticked, shows the page to tick some.
    void searchSelection(const QString &text);

private:
    SearchPage *build();
    SearchPage *searchPage();

    SubsystemContext m_context;
};
