#pragma once

#include "AppContext.h"
#include "WindowPlacement.h"
#include "document/DocumentHost.h"

#include <QMainWindow>

class BookmarkPage;
class DocumentArea;
class DocumentCommands;
class EngineTree;
class MainMenus;
class MainToolbar;
class QMdiArea;
class QTimer;
class QToolBar;
class SearchPage;
class SidePanel;

// The main window: side panel, document windows, menus and toolbar. Its operations
// are the program's public ones; each hands the work to the part that does it.
class frmMain : public QMainWindow, public DocumentHost
{
    Q_OBJECT
public:
    explicit frmMain(const AppContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: settings, panel, first document window, first page.
    void Form_Load(const QString &commandLine);

    frmDocument *LoadNewDoc() override;
    void CloseDoc() override;
    frmDocument *activeDocument() const override;
    void mnuWindowCascade_Click() override;
    void MotherButton_Click(const QString &key);
    void btnBookmarkAdd_Click();
    void btnBookmarkEdit_Click();
    void searchSelection(const QString &text);
    void LoadEngine();
    void LoadBookmark();
    void IPrefresh_Click();

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
    void mnuHelpContents_Click();
    void mnuHelpShowtip_Click();
    void mnuHelpAbout_Click();

    QList<frmDocument *> documents() const;
    QMdiArea *mdiArea() const;
    DocumentCommands *commands() const { return m_commands; }
    MainMenus *menus() const { return m_menus; }
    MainToolbar *toolbar() const { return m_toolbar; }
    EngineTree *engines() const;
    BookmarkPage *bookmarks() const { return m_bookmarkPage; }
    bool listPressed() const;
    // Presses or releases the toolbar's list button; the panel shows exactly when it is pressed.
    void setListPressed(bool pressed);

    // Settings held while the program runs.
    qint32 DocCount = 0;
    QString SmtpServer;
    QString UserName;
    QString MyEmail;
    double PingTime = 5000;
    double NetStatTime = 10000;
    QString Homepage;
    qint32 ClickBookmark = 0;

    QTimer *Timer1;
    QTimer *Timer2;
    SidePanel *list;
    QToolBar *Toolbar1;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    SidePanel *buildPanel();
    void buildLayout();
    void connectMenus();
    void loadSettings();
    void saveState();
    void newWindowFromToolbar();
    void goHome();
    void navigateFirstPage(const QString &commandLine);
    void navigateActive(const QString &address);
    void showPanelTab(int tab);
    void setTabbed(bool tabbed);
    void updateCaption();
    bool mayQuit();

    AppContext m_context;
    DocumentArea *m_mdi;
    DocumentCommands *m_commands;
    SearchPage *m_searchPage = nullptr;
    BookmarkPage *m_bookmarkPage = nullptr;
    MainToolbar *m_toolbar;
    MainMenus *m_menus;
    WindowPlacement m_placement;
};
