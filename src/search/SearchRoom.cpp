#include "SearchRoom.h"

#include "EngineTree.h"
#include "SearchPage.h"
#include "document/Documents.h"
#include "SearchUrl.h"
#include "document/BrowserFactory.h"
#include "document/RoomAnchors.h"

#include <QTreeWidgetItem>

SearchRoom::SearchRoom(const AppContext &context, QObject *parent)
    : Room(SearchPage::Id, SearchPage::Caption, [this] { return build(); }, parent), m_context(context)
{
}

void SearchRoom::beforeFirstPage(const AppContext &context)
{
    context.browsers->setTypedSearch(
        [folder = context.profileFolder](const QString &query) { return firstEngineSearch(folder, query); });
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

void SearchRoom::install(const RoomAnchors &where)
{
    addKey(where.window, Qt::CTRL | Qt::Key_K, [this] { m_context.showPage(pageId(), true); });
    m_context.documents->addSelectionCommand({QStringLiteral("用选中的搜索引擎搜索"), QStringLiteral("searchSelection"),
                                              [this](const QString &text) { searchSelection(text); }});
}

void SearchRoom::searchSelection(const QString &text)
{
    if (!searchPage()->searchFor(text))
        m_context.showPage(pageId(), false);
}
