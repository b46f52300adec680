#include "BookmarkPage.h"

#include "BookmarkModel.h"
#include "BookmarkStore.h"
#include "core/Prompts.h"
#include "core/RunningSettings.h"
#include "document/BrowserControl.h"
#include "document/Documents.h"
#include "document/SubsystemContext.h"
#include "document/frmDocument.h"
#include "frmAddToBookmark.h"
#include "frmBookmarkManage.h"
#include "platform/Images.h"
#include "platform/PanelLayout.h"

#include <QLineEdit>
#include <QTreeView>

using namespace PanelLayout;

BookmarkPage::BookmarkPage(const SubsystemContext &context, QWidget *parent)
    : PanelPage(PanelPage::Bookmarks, QStringLiteral("书签管理"), parent), m_documents(*context.documents),
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
    }
    return m_manager;
}

void BookmarkPage::btnBookmarkEdit_Click()
{
    manager()->Form_Load();
    manager()->exec();
}

void BookmarkPage::LoadBookmark() { m_model->setCategories(m_store->categories()); }

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
    if (m_settings.ClickBookmark() == 1)
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
    frmDocument *document = m_documents.activeDocument();
    dialog()->addBookmark(document ? document->windowTitle() : QString(), document ? document->Web->locationURL() : QString());
}

void BookmarkPage::btnBookmarkChange_Click()
{
    const QModelIndex node = selectedNode();
    if (!node.isValid())
        return;
    if (BookmarkModel::isBookmark(node))
        dialog()->editBookmark(m_model->categoryFile(node), m_model->entryNumber(node), node.data().toString(),
                               BookmarkModel::tag(node));
    else
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
    if (BookmarkModel::isBookmark(node))
        m_store->clearBookmark(m_model->categoryFile(node), m_model->entryNumber(node));
    else
        m_store->renameCategory(BookmarkModel::tag(node), QString()); // an empty name retires a category
    LoadBookmark();
}

void BookmarkPage::btnBookmarkRefresh_Click() { LoadBookmark(); }
