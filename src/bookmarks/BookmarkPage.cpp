#include "BookmarkPage.h"

#include "BookmarkModel.h"
#include "BookmarkStore.h"
#include "core/Prompts.h"
#include "document/BrowserControl.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "frmAddToBookmark.h"
#include "frmBookmarkManage.h"
#include "platform/Images.h"
#include "platform/PanelLayout.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeView>

using namespace PanelLayout;

BookmarkPage::BookmarkPage(DocumentHost &host, Prompts &prompts, const QString &programFolder,
                           const QString &profileFolder, QWidget *parent)
    : QWidget(parent), m_host(host), m_prompts(prompts), m_store(std::make_unique<BookmarkStore>(profileFolder)),
      m_model(new BookmarkModel(Images::icon(programFolder, QStringLiteral("folder")),
                                Images::icon(programFolder, QStringLiteral("bk")), this)),
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

void BookmarkPage::navigateActive(const QString &address)
{
    if (frmDocument *document = m_host.activeDocument())
        document->Web->navigate(address);
}

void BookmarkPage::Bookmarks_NodeClick(const QModelIndex &node)
{
    if (!BookmarkModel::isBookmark(node))
        return;
    txtURLbk->setText(BookmarkModel::tag(node));
    if (m_clickBookmark == 1)
        navigateActive(BookmarkModel::tag(node));
}

void BookmarkPage::cmdVISIT_Click()
{
    const QModelIndex node = selectedNode();
    if (node.isValid() && BookmarkModel::isBookmark(node))
        navigateActive(BookmarkModel::tag(node));
}

// Every listed category in index order; first, when it is one of them, leads and is chosen.
void BookmarkPage::fillCategories(const QString &first)
{
    QComboBox *picker = dialog()->Combo1;
    picker->clear();
    for (const QString &entry : m_store->categoryEntries()) {
        if (!first.isEmpty() && entry.mid(entry.indexOf(u',') + 1) == first) {
            picker->insertItem(0, entry);
            picker->setCurrentIndex(0);
        } else {
            picker->addItem(entry);
        }
    }
    if (first.isEmpty())
        picker->setCurrentIndex(-1);
}

void BookmarkPage::btnBookmarkAdd_Click()
{
    frmAddToBookmark *d = dialog();
    frmDocument *document = m_host.activeDocument();
    d->Text3->setText(document ? document->Web->locationURL() : QString());
    d->Text1->setText(document ? document->windowTitle() : QString());
    d->Option1->setVisible(true);
    d->Option2->setVisible(true);
    d->select(d->Option1);
    d->BkFile = QStringLiteral("New");
    d->setWindowTitle(QStringLiteral("添加书签"));
    fillCategories(QString());
    d->exec();
}

void BookmarkPage::btnBookmarkChange_Click()
{
    const QModelIndex node = selectedNode();
    if (!node.isValid())
        return;
    dialog()->setWindowTitle(QStringLiteral("修改书签"));
    if (BookmarkModel::isBookmark(node))
        changeBookmark(node);
    else
        changeCategory(node);
    dialog()->exec();
}

void BookmarkPage::changeCategory(const QModelIndex &node)
{
    frmAddToBookmark *d = dialog();
    d->Option2->setVisible(true);
    d->Option1->setVisible(false);
    d->setBookmarkFieldsVisible(false);
    d->Combo1->clear();
    d->select(d->Option2);
    d->Text1->setText(node.data().toString());
    d->BkFile = BookmarkModel::tag(node);
}

void BookmarkPage::changeBookmark(const QModelIndex &node)
{
    frmAddToBookmark *d = dialog();
    d->Text1->setText(node.data().toString());
    d->Text3->setText(BookmarkModel::tag(node));
    d->Option2->setVisible(false);
    d->Option1->setVisible(true);
    d->setBookmarkFieldsVisible(true);
    d->BkFile = m_model->categoryFile(node);
    d->BkIndex = QString::number(m_model->entryNumber(node));
    d->Text2->setText(d->BkIndex);
    fillCategories(d->BkFile);
    d->select(d->Option1);
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
    if (BookmarkModel::isBookmark(node)) {
        m_store->clearBookmark(m_model->categoryFile(node), m_model->entryNumber(node));
        LoadBookmark();
        return;
    }
    // A category is retired by emptying its name, through the dialog without showing it.
    frmAddToBookmark *d = dialog();
    d->Combo1->clear();
    d->select(d->Option2);
    d->Text1->clear();
    d->BkFile = BookmarkModel::tag(node);
    d->Command1_Click();
}

void BookmarkPage::btnBookmarkRefresh_Click() { LoadBookmark(); }
