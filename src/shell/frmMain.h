#pragma once

#include "AppContext.h"
#include "WindowPlacement.h"
#include "core/RunningSettings.h"
#include "document/SubsystemContext.h"
#include "platform/PanelPage.h"

#include <QMainWindow>

class AutotextPage;
class BrowserControl;
class LinkTools;
class MultimediaSwitches;
class BookmarkPage;
class DocumentArea;
class DocumentCommands;
class DocumentWindows;
class EngineTree;
class MainMenus;
class MainToolbar;
class QMdiArea;
class QToolBar;
class SearchPage;
class SidePanel;
class frmDocument;

// The main window: side panel, document windows, menus and toolbar. Its operations
// are the program's public ones; each hands the work to the part that does it.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(const AppContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: settings, panel, first document window, first page.
    void Form_Load(const QString &commandLine);

    frmDocument *LoadNewDoc();
    void CloseDoc();
    frmDocument *activeDocument() const;
    void mnuWindowCascade_Click();
    void MotherButton_Click(const QString &key);
    void btnBookmarkAdd_Click();
    void btnBookmarkEdit_Click();
    void searchSelection(const QString &text);
    void LoadEngine();
    void LoadBookmark();
    void LoadAutotxt();
    void LoadLinkTools();

    void mnuFileNew_Click();
    void mnuFileClose_Click();
    void mnuFileSend_Click();
    void mnuFileExit_Click();
    void mnuViewToolbar_Click();
    void mnuViewToolbarString_Click();
    void mnuViewTabbed_Click();
    void mnuViewOptions_Click();
    void mnuToolsIEOptions_Click();
    void mnuToolsProfileFolder_Click();
    void mnuToolsDownloads_Click();
    void mnuHelpContents_Click();
    void mnuHelpShowtip_Click();
    void mnuHelpAbout_Click();

    // The settings the program keeps while it runs, and the count of document windows.
    qint32 DocCount() const;
    QString SmtpServer() const { return m_settings->SmtpServer(); }
    QString UserName() const { return m_settings->UserName(); }
    QString MyEmail() const { return m_settings->MyEmail(); }
    double PingTime() const { return m_settings->PingTime(); }
    double NetStatTime() const { return m_settings->NetStatTime(); }
    QString Homepage() const { return m_settings->Homepage(); }
    qint32 ClickBookmark() const { return m_settings->ClickBookmark(); }
    RunningSettings &settings() const { return *m_settings; }

    QList<frmDocument *> documents() const;
    QMdiArea *mdiArea() const;
    DocumentCommands *commands() const { return m_commands; }
    MainMenus *menus() const { return m_menus; }
    MainToolbar *toolbar() const { return m_toolbar; }
    QToolBar *Toolbar1() const { return m_toolbar1; }
    SidePanel *list() const { return m_list; }
    EngineTree *engines() const;
    BookmarkPage *bookmarks() const { return m_bookmarkPage; }
    bool listPressed() const;
    // Presses or releases the toolbar's list button; the panel shows exactly when it is pressed.
    void setListPressed(bool pressed);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    SidePanel *buildPanel();
    void buildLayout();
    void connectMenus();
    void connectDocument(frmDocument *document);
    void saveState();
    void newWindowFromToolbar();
    void goHome();
    void navigateHome(BrowserControl &web);
    void navigateFirstPage(const QString &commandLine);
    void showPanelTab(PanelPage::Id page);
    void focusPanelPage(PanelPage::Id page);
    void addKeys();
    void setTabbed(bool tabbed);
    void updateCaption();
    bool mayQuit();

    AppContext m_context;
    RunningSettings *m_settings;
    DocumentArea *m_mdi;
    DocumentWindows *m_documents;
    DocumentCommands *m_commands;
    SubsystemContext m_subsystems;
    SearchPage *m_searchPage = nullptr;
    BookmarkPage *m_bookmarkPage = nullptr;
    AutotextPage *m_autotextPage = nullptr;
    LinkTools *m_linkTools = nullptr;
    MultimediaSwitches *m_multimedia = nullptr;
    QToolBar *m_toolbar1;
    MainToolbar *m_toolbar;
    MainMenus *m_menus;
    SidePanel *m_list;
    WindowPlacement m_placement;
};
