#pragma once

#include "BookmarkStore.h"
#include "ExchangeData.h"
#include "ShortcutFolder.h"

#include <QDialog>

class BookmarkStore;
class Prompts;
class QComboBox;
class QFileSystemModel;
class QStandardItemModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;
class QTreeView;
class frmAddToBookmark;

// "管理书签": bookmarks in and out of favourites folders (one Internet shortcut per
// bookmark, one folder per category), HTML bookmark files and installed browsers.
class frmBookmarkManage : public QDialog
{
    Q_OBJECT
public:
    frmBookmarkManage(BookmarkStore &store, Prompts &prompts, frmAddToBookmark &dialog, QWidget *parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdNEWFOLDER_Click();
    void CMDNewbookmarkType_Click();
    void cmdREFRESH_Click();
    void URL_KeyUp();
    void importHtml();
    void exportHtml();
    void importFromBrowser(const BrowserImport &found, const QString &browser);
    void importInstalled(const BrowserSearch &search, const QString &kind);

    // The favourites folder, set by the options; the export starts there.
    QString IEFavorites() const { return m_IEFavorites; }
    void setIEFavorites(const QString &folder) { m_IEFavorites = folder; }

signals:
    // The bookmark files changed: the tree is to be built again.
    void LoadBookmark();

private:
    QWidget *buildImportPanel();
    QWidget *buildExportPanel();
    QWidget *folderPicker(QComboBox *drive, QTreeView *folders, const char *driveName, const char *folderName);
    void fillDrives(QComboBox *drive);
    void showFolder(QTreeView *folders, const QString &path);
    void listFiles(const QString &folder);
    void chooseDrive(QComboBox *drive, const QString &path);
    QString folderOf(const QTreeView *folders) const;
    QList<ShortcutFolder::File> selectedFiles() const;
    void importShortcuts();
    void exportShortcuts();
    QList<ExchangeCategory> shownCategories() const;
    // False when not everything could be saved.
    bool reportImport(const BookmarkStore::Imported &imported);

    QTabWidget *TabStrip;
    QComboBox *Drive1;
    QTreeView *Dir1;
    QListView *File1;
    QLineEdit *URL;
    QComboBox *BookmarkFiles;
    QComboBox *Drive2;
    QTreeView *Dir2;
    QLineEdit *favourite;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

    QString m_IEFavorites;
    BookmarkStore &m_store;
    Prompts &m_prompts;
    frmAddToBookmark &m_dialog;
    QFileSystemModel *m_folders;
    QStandardItemModel *m_files;
};
