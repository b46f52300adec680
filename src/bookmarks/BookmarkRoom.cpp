#include "BookmarkRoom.h"

#include "BookmarkOptions.h"
#include "BookmarkModel.h"
#include "BookmarkPage.h"
#include "BookmarkStore.h"
#include "document/Documents.h"
#include "document/RoomAnchors.h"
#include "platform/Images.h"

#include <QAction>

BookmarkRoom::BookmarkRoom(const AppContext &context, QObject *parent)
    : Room(BookmarkPage::Id, BookmarkPage::Caption, [this] { return build(); }, parent), m_context(context)
{
    // Until the page is built, the files are read when an address box first needs them.
    m_suggestions.setReader(
        [folder = context.profileFolder] { return suggestionsOf(BookmarkStore(folder).categories()); });
}

QList<Suggestion> BookmarkRoom::suggestionsOf(const QList<BookmarkCategory> &categories)
{
    QList<Suggestion> entries;
    for (const BookmarkCategory &category : categories)
        for (qsizetype i = 0; i < category.size(); ++i)
            entries.append(Suggestion::make(category.entryName(i), category.entryAddress(i)));
    return entries;
}

BookmarkPage *BookmarkRoom::build()
{
    auto *page = new BookmarkPage(m_context);
    // Every change of the bookmarks ends in a reload of the tree.
    BookmarkModel *model = page->model();
    connect(model, &QAbstractItemModel::modelReset, this,
            [this, model] { m_suggestions.set(suggestionsOf(model->categories())); });
    page->LoadBookmark();
    page->selectFirstNode();
    return page;
}

void BookmarkRoom::addActivePage() { static_cast<BookmarkPage *>(page())->btnBookmarkAdd_Click(); }

void BookmarkRoom::install(const RoomAnchors &where)
{
    addKey(where.window, Qt::CTRL | Qt::Key_D, [this] { addActivePage(); });
    addKey(where.window, Qt::CTRL | Qt::Key_B, [this] { m_context.showPage(pageId(), true); });
    QAction *button = entry(QStringLiteral("书签"), "bookmark", [this] { m_context.showPage(pageId(), false); });
    button->setIcon(Images::icon(m_context.programFolder, QStringLiteral("bookmark")));
    button->setToolTip(QStringLiteral("打开书签"));
    where.pageButtons.add(button, QStringLiteral("bookmark"));
    m_context.documents->offerSuggestions(&m_suggestions, Images::icon(m_context.programFolder, QStringLiteral("bk")));
    // Every document window's 加入书签 files its page.
    m_context.documents->addWindowEntry(Documents::WindowPlace::Toolbar, [this](QObject *window) {
        auto *add = new QAction(Images::icon(m_context.programFolder, QStringLiteral("bookmark-add")),
                                QStringLiteral("加入书签"), window);
        add->setObjectName(QStringLiteral("bookmark"));
        connect(add, &QAction::triggered, this, &BookmarkRoom::addActivePage);
        return add;
    });
}

QList<OptionsSection *> BookmarkRoom::optionsSections()
{
    return {new BookmarkOptions(*m_context.settings, *m_context.prompts)};
}
