#include "BookmarkPage.h"

#include "BookmarkModel.h"
#include "BookmarkSettings.h"
#include "core/RunningSettings.h"
#include "BookmarkStore.h"
#include "core/Prompts.h"
#include "document/Documents.h"
#include "document/AppContext.h"
#include "frmAddToBookmark.h"
#include "frmBookmarkManage.h"
#include "platform/Images.h"
#include "platform/PanelLayout.h"

#include <QLineEdit>
#include <QSet>
#include <QTimer>
#include <QTreeView>

using namespace PanelLayout;

BookmarkPage::BookmarkPage(const AppContext &context, QWidget *parent)
    : PanelPage(Id, Caption, parent), m_documents(*context.documents),
      m_prompts(*context.prompts), m_store(std::make_unique<BookmarkStore>(context.profileFolder)),
      m_model(new BookmarkModel(Images::icon(context.programFolder, QStringLiteral("folder")),
                                Images::icon(context.programFolder, QStringLiteral("bk")), this)),
      m_settings(*context.settings),
      txtURLbk(named(new QLineEdit, "txtURLbk")), cmdVISIT(fixedButton("cmdVISIT", QStringLiteral("访问"), 615)),
      btnBookmarkChange(fixedButton("btnBookmarkChange", QStringLiteral("属性"), 615)),
      btnBookmarkAdd(fixedButton("btnBookmarkAdd", QStringLiteral("添加"), 615)),
      btnBookmarkDel(fixedButton("btnBookmarkDel", QStringLiteral("删除"), 615)),
      btnBookmarkEdit(fixedButton("btnBookmarkEdit", QStringLiteral("管理"), 615)),
      btnBookmarkRefresh(fixedButton("btnBookmarkRefresh", QStringLiteral("刷新"), 615)),
      Bookmarks(named(new QTreeView, "Bookmarks"))
{
    Bookmarks->setHeaderHidden(true);
    // Rows of one height: a category of thousands opens without measuring each.
    Bookmarks->setUniformRowHeights(true);
    Bookmarks->setModel(m_model);
    QVBoxLayout *layout = column(this, RowGap);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(0);
    addressRow->addWidget(txtURLbk, 1);
    addressRow->addWidget(cmdVISIT);
    layout->addLayout(addressRow);
    layout->addLayout(buttonRow({btnBookmarkChange, btnBookmarkAdd, btnBookmarkDel, btnBookmarkEdit, btnBookmarkRefresh}));
    layout->addWidget(Bookmarks, 1);

    connect(Bookmarks, &QTreeView::clicked, this, &BookmarkPage::Bookmarks_NodeClick);
    // A double click or Enter opens a bookmark as "访问" does.
    connect(Bookmarks, &QTreeView::activated, this, &BookmarkPage::Bookmarks_Activated);
    connect(cmdVISIT, &QPushButton::clicked, this, &BookmarkPage::cmdVISIT_Click);
    connect(btnBookmarkAdd, &QPushButton::clicked, this, &BookmarkPage::btnBookmarkAdd_Click);
    connect(btnBookmarkChange, &QPushButton::clicked, this, &BookmarkPage::btnBookmarkChange_Click);
    connect(btnBookmarkDel, &QPushButton::clicked, this, &BookmarkPage::btnBookmarkDel_Click);
    connect(btnBookmarkEdit, &QPushButton::clicked, this, &BookmarkPage::btnBookmarkEdit_Click);
    connect(btnBookmarkRefresh, &QPushButton::clicked, this, &BookmarkPage::btnBookmarkRefresh_Click);
}

BookmarkPage::~BookmarkPage() = default;

// Made once, when first asked for, owned by the window the page is in.
frmAddToBookmark *BookmarkPage::dialog()
{
    if (!m_dialog) {
        m_dialog = new frmAddToBookmark(*m_store, m_prompts, window());
        connect(m_dialog, &frmAddToBookmark::LoadBookmark, this, &BookmarkPage::LoadBookmark);
    }
    return m_dialog;
}

frmBookmarkManage *BookmarkPage::manager()
{
    if (!m_manager) {
        m_manager = new frmBookmarkManage(*m_store, m_prompts, *dialog(), window());
        connect(m_manager, &frmBookmarkManage::LoadBookmark, this, &BookmarkPage::LoadBookmark);
        m_manager->setIEFavorites(m_settings.text(BookmarkSettings::IEFavoritesFolder));
        m_settings.follow(BookmarkSettings::IEFavoritesFolder, m_manager,
                          [manager = m_manager](const QString &folder) { manager->setIEFavorites(folder); });
    }
    return m_manager;
}

void BookmarkPage::btnBookmarkEdit_Click()
{
    manager()->Form_Load();
    manager()->exec();
}

// The categories that were open stay open.
void BookmarkPage::LoadBookmark()
{
    if (!m_damageReported && m_store->indexDamaged()) {
        m_damageReported = true;
        // Asked once the windows are up, not in the middle of whatever loads the tree.
        QTimer::singleShot(0, this, &BookmarkPage::offerRebuild);
    }
    QSet<QString> open;
    for (int i = 0; i < m_model->rowCount(); ++i)
        if (Bookmarks->isExpanded(m_model->index(i, 0)))
            open.insert(BookmarkModel::tag(m_model->index(i, 0)));
    m_model->setCategories(m_store->categories());
    for (int i = 0; i < m_model->rowCount(); ++i)
        if (open.contains(BookmarkModel::tag(m_model->index(i, 0))))
            Bookmarks->expand(m_model->index(i, 0));
}

void BookmarkPage::offerRebuild()
{
    if (m_prompts.message(window(), QStringLiteral("书签索引已损坏，是否根据书签文件重建？"), QStringLiteral("书签"),
                          Prompts::Question, Prompts::Yes | Prompts::No)
        != Prompts::Yes)
        return;
    if (!m_store->rebuildIndex())
        m_prompts.message(window(), QStringLiteral("无法重建书签索引：%1").arg(m_store->lastError()),
                          QStringLiteral("书签"), Prompts::Critical);
    LoadBookmark();
}

void BookmarkPage::takeFocus() { Bookmarks->setFocus(); }

void BookmarkPage::selectBookmark(const std::pair<QString, int> &bookmark)
{
    for (int i = 0; i < m_model->rowCount(); ++i) {
        const QModelIndex category = m_model->index(i, 0);
        if (BookmarkModel::tag(category) != bookmark.first)
            continue;
        for (int j = 0; j < m_model->rowCount(category); ++j) {
            const QModelIndex node = m_model->index(j, 0, category);
            if (m_model->entryNumber(node) == bookmark.second) {
                Bookmarks->expand(category);
                Bookmarks->setCurrentIndex(node);
                Bookmarks->scrollTo(node);
                txtURLbk->setText(BookmarkModel::tag(node));
                return;
            }
        }
    }
}

void BookmarkPage::showSaved()
{
    if (!dialog()->savedBookmark().first.isEmpty())
        selectBookmark(dialog()->savedBookmark());
}

void BookmarkPage::selectFirstNode()
{
    const QModelIndex first = m_model->index(0, 0);
    if (first.isValid())
        Bookmarks->setCurrentIndex(first);
}

QModelIndex BookmarkPage::selectedNode() const
{
    const QModelIndexList selected = Bookmarks->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

void BookmarkPage::Bookmarks_NodeClick(const QModelIndex &node)
{
    if (!BookmarkModel::isBookmark(node))
        return;
    txtURLbk->setText(BookmarkModel::tag(node));
    if (m_settings.numberOrDefault(BookmarkSettings::ClickBookmark) == 1)
        m_documents.navigateActive(BookmarkModel::tag(node));
}

void BookmarkPage::Bookmarks_Activated(const QModelIndex &node)
{
    if (BookmarkModel::isBookmark(node))
        m_documents.navigateActive(BookmarkModel::tag(node));
}

void BookmarkPage::cmdVISIT_Click()
{
    const QModelIndex node = selectedNode();
    if (node.isValid() && BookmarkModel::isBookmark(node))
        m_documents.navigateActive(BookmarkModel::tag(node));
}

void BookmarkPage::btnBookmarkAdd_Click()
{
    if (dialog()->addBookmark(m_documents.activeTitle(), m_documents.activeAddress()))
        showSaved();
}

void BookmarkPage::btnBookmarkChange_Click()
{
    const QModelIndex node = selectedNode();
    if (!node.isValid())
        return;
    if (BookmarkModel::isBookmark(node)) {
        if (dialog()->editBookmark(m_model->categoryFile(node), m_model->entryNumber(node), node.data().toString(),
                                   BookmarkModel::tag(node)))
            showSaved();
    } else
        dialog()->renameCategory(BookmarkModel::tag(node), node.data().toString());
}

void BookmarkPage::btnBookmarkDel_Click()
{
    const QModelIndex node = selectedNode();
    if (!node.isValid())
        return;
    const QString question = QStringLiteral("确认删除") + node.data().toString() + QStringLiteral("？");
    if (m_prompts.message(window(), question, QStringLiteral("确认"), Prompts::Warning, Prompts::Yes | Prompts::No)
        != Prompts::Yes)
        return;
    const bool done = BookmarkModel::isBookmark(node)
                          ? m_store->clearBookmark(m_model->categoryFile(node), m_model->entryNumber(node))
                          : m_store->renameCategory(BookmarkModel::tag(node), QString()); // an empty name retires it
    if (!done)
        m_prompts.message(window(), QStringLiteral("无法删除：%1").arg(m_store->lastError()), QStringLiteral("错误"),
                          Prompts::Critical);
    LoadBookmark();
}

// A damaged index is offered for a rebuild again, though it was turned down before.
void BookmarkPage::btnBookmarkRefresh_Click()
{
    m_damageReported = false;
    LoadBookmark();
}
