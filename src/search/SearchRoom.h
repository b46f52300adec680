#pragma once

#include "document/Room.h"
#include "document/AppContext.h"

class SearchPage;

// The multi-engine search: its page, Ctrl+K, the search of text chosen in a page, and
// the search of what an address box holds that is no address.
class SearchRoom : public Room
{
    Q_OBJECT
public:
    explicit SearchRoom(const AppContext &context, QObject *parent = nullptr);

    // What an address box does with text that is no address: a search with the first engine.
    static void beforeFirstPage(const AppContext &context);
    void install(const RoomAnchors &where) override;
    // Searches with the ticked engines; with none ticked, shows the page to tick some.
    void searchSelection(const QString &text);

private:
    SearchPage *build();
    SearchPage *searchPage();

    AppContext m_context;
};
