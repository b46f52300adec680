#include "SearchRoom.h"

#include "EngineTree.h"
#include "SearchPage.h"
#include "document/Documents.h"
#include "document/RoomSlots.h"

#include <QTreeWidgetItem>

SearchRoom::SearchRoom(const SubsystemContext &context, QObject *parent)
    : Room(SearchPage::Id, SearchPage::Caption, [this] { return build(); }, parent), m_context(context)
{
    connect(context.documents, &Documents::searchRequested, this, &SearchRoom::searchSelection);
}

SearchPage *SearchRoom::build()
{
    auto *page = new SearchPage(m_context);
    page->LoadEngine();
    if (QTreeWidgetItem *first = page->engines()->node(1))
        first->setExpanded(true);
    return page;
}

SearchPage *SearchRoom::searchPage() { return static_cast<SearchPage *>(page()); }

void SearchRoom::install(const RoomSlots &where)
{
    addKey(where.window, Qt::CTRL | Qt::Key_K, [this] { m_context.showPage(pageId(), true); });
}

void SearchRoom::searchSelection(const QString &text)
{
    if (!searchPage()->searchFor(text))
        m_context.showPage(pageId(), false);
}
