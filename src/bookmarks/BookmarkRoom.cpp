#include "BookmarkRoom.h"

#include "BookmarkOptions.h"
#include "BookmarkPage.h"
#include "document/Documents.h"
#include "document/RoomSlots.h"

#include <QAction>

BookmarkRoom::BookmarkRoom(const SubsystemContext &context, QObject *parent)
    : Room(BookmarkPage::Id, BookmarkPage::Caption, [this] { return build(); }, parent), m_context(context)
{
    connect(context.documents, &Documents::bookmarkRequested, this, &BookmarkRoom::addActivePage);
}

BookmarkPage *BookmarkRoom::build()
{
    auto *page = new BookmarkPage(m_context);
    page->LoadBookmark();
    page->selectFirstNode();
    return page;
}

void BookmarkRoom::addActivePage() { static_cast<BookmarkPage *>(page())->btnBookmarkAdd_Click(); }

void BookmarkRoom::install(const RoomSlots &where)
{
    addKey(where.window, Qt::CTRL | Qt::Key_D, [this] { addActivePage(); });
    addKey(where.window, Qt::CTRL | Qt::Key_B, [this] { m_context.showPage(pageId(), true); });
    connect(where.bookmarkButton, &QAction::triggered, this, [this] { m_context.showPage(pageId(), false); });
}

QList<OptionsSection *> BookmarkRoom::optionsSections()
{
    return {new BookmarkOptions(*m_context.settings, *m_context.prompts)};
}
