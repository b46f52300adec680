#pragma once

#include "WindowPlacement.h"
#include "document/AppContext.h"
#include "document/RoomAnchors.h"

#include <QMainWindow>

class BrowserControl;
class DocumentArea;
class DocumentCommands;
class DocumentWindows;
class MainMenus;
class MainToolbar;
class QToolBar;
class Room;
class SidePanel;
class frmDocument;

// The main window: side panel, document windows, menus and toolbar. Each room
// brings its page, its menu entries and keys; the window knows none by type.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(const AppContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: placement, panel, every room's load, the first document window and its page.
    void Form_Load(const QString &commandLine);
    // Shows the window for the first time. The panel shows in its place once the first page
    // has its title or has loaded, or after half a second: laid out and drawn with the rest,
    // it held up the page's first title.
    void showFirst();

    frmDocument *LoadNewDoc();
    void CloseDoc();
    frmDocument *activeDocument() const;
    // Document windows opened so far, closed ones included.
    qint32 DocCount() const;
    // A room that brings only entries (menu items, buttons, keys), installed and loaded now.
    void addRoom(Room *room);
    // Runs the toolbar's button of that key ("new", "home", …), as a click on it would.
    void MotherButton_Click(const QString &key);
    // Another start of the program asked for a window: on address, or on the home page
    // when it is empty. The main window comes to the front.
    void openRequested(const QString &address);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPanel();
    void buildLayout();
    void connectMenus();
    void connectToolbar();
    void installRooms();
    void saveState();
    void newWindowFromToolbar();
    void goHome();
    void navigateHome(BrowserControl &web);
    void navigateFirstPage(const QString &commandLine);
    void showPage(const QString &pageId, bool focus);
    void setTabbed(bool tabbed);
    void setListPressed(bool pressed);
    void keepPanelPlace(bool kept);
    bool listPressed() const;
    void updateCaption();
    bool mayQuit();

    void mnuFileNew_Click();
    void mnuFileExit_Click();
    void mnuViewToolbar_Click();
    void mnuViewToolbarString_Click();
    void mnuViewTabbed_Click();
    void mnuToolsIEOptions_Click();
    void mnuToolsProfileFolder_Click();
    void mnuToolsDownloads_Click();
    void mnuHelpShowtip_Click();
    void mnuHelpAbout_Click();

    AppContext m_context;
    RunningSettings &m_settings;
    DocumentArea *m_mdi;
    DocumentWindows *m_documents;
    DocumentCommands *m_commands;
    AppContext m_subsystems;
    QToolBar *m_toolbar1;
    MainToolbar *m_toolbar;
    MainMenus *m_menus;
    QList<Room *> m_rooms;
    RoomAnchors m_anchors;
    SidePanel *m_list = nullptr;
    WindowPlacement m_placement;
};
