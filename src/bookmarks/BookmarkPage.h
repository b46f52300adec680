#pragma once

#include "platform/PanelPage.h"

#include <memory>

class BookmarkModel;
class BookmarkStore;
class Documents;
class Prompts;
class RunningSettings;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;
class frmAddToBookmark;
class frmBookmarkManage;
struct AppContext;

// The bookmark tab of the side panel: the address of the chosen bookmark, six
// buttons and the bookmark tree, with what a click on each does.
class BookmarkPage : public PanelPage
{
    Q_OBJECT
public:
    // A click on a bookmark opens it when the settings' ClickBookmark is 1; else only the visit button does.
    static inline const QString Id = QStringLiteral("bookmarks");
    static inline const QString Caption = QStringLiteral("书签管理");

    explicit BookmarkPage(const AppContext &context, QWidget *parent = nullptr);
    ~BookmarkPage() override;

    // Rebuilds the tree from the bookmark files.
    void LoadBookmark();
    void selectFirstNode();
    void takeFocus() override;

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
    void Bookmarks_Activated(const QModelIndex &node);
    void offerRebuild();
    void selectBookmark(const std::pair<QString, int> &bookmark);
    // The dialog saved a bookmark: show it where it now stands.
    void showSaved();

    Documents &m_documents;
    Prompts &m_prompts;
    std::unique_ptr<BookmarkStore> m_store;
    BookmarkModel *m_model;
    frmAddToBookmark *m_dialog = nullptr;
    frmBookmarkManage *m_manager = nullptr;
    bool m_damageReported = false;
    RunningSettings &m_settings;

    QLineEdit *txtURLbk;
    QPushButton *cmdVISIT;
    QPushButton *btnBookmarkChange;
    QPushButton *btnBookmarkAdd;
    QPushButton *btnBookmarkDel;
    QPushButton *btnBookmarkEdit;
    QPushButton *btnBookmarkRefresh;
    QTreeView *Bookmarks;
};
