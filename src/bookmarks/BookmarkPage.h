#pragma once

#include <QWidget>

#include <memory>

class BookmarkModel;
class BookmarkStore;
class DocumentHost;
class Prompts;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;
class frmAddToBookmark;
class frmBookmarkManage;

// The bookmark tab of the side panel: the address of the chosen bookmark, six
// buttons and the bookmark tree, with what a click on each does.
class BookmarkPage : public QWidget
{
    Q_OBJECT
public:
    // The bookmark files are read from profileFolder, the pictures from programFolder.
    BookmarkPage(DocumentHost &host, Prompts &prompts, const QString &programFolder, const QString &profileFolder,
                 QWidget *parent = nullptr);
    ~BookmarkPage() override;

    // Rebuilds the tree from the bookmark files.
    void LoadBookmark();
    // 1: a click on a bookmark opens it; anything else: only the visit button does.
    void setClickBookmark(int mode) { m_clickBookmark = mode; }
    void selectFirstNode();

    void Bookmarks_NodeClick(const QModelIndex &node);
    void cmdVISIT_Click();
    void btnBookmarkAdd_Click();
    void btnBookmarkChange_Click();
    void btnBookmarkDel_Click();
    void btnBookmarkEdit_Click();
    void btnBookmarkRefresh_Click();

    BookmarkStore &store() const { return *m_store; }
    BookmarkModel *model() const { return m_model; }
    frmAddToBookmark *dialog();
    frmBookmarkManage *manager();

private:
    QModelIndex selectedNode() const;
    void navigateActive(const QString &address);
    void fillCategories(const QString &first);
    void changeCategory(const QModelIndex &node);
    void changeBookmark(const QModelIndex &node);

    DocumentHost &m_host;
    Prompts &m_prompts;
    std::unique_ptr<BookmarkStore> m_store;
    BookmarkModel *m_model;
    frmAddToBookmark *m_dialog = nullptr;
    frmBookmarkManage *m_manager = nullptr;
    int m_clickBookmark = 0;

    QLineEdit *txtURLbk;
    QPushButton *cmdVISIT;
    QPushButton *btnBookmarkChange;
    QPushButton *btnBookmarkAdd;
    QPushButton *btnBookmarkDel;
    QPushButton *btnBookmarkEdit;
    QPushButton *btnBookmarkRefresh;
    QTreeView *Bookmarks;
};
