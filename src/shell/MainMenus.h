#pragma once

#include "document/RoomAnchors.h"

#include <QAction>
#include <QKeySequence>
#include <QObject>

class DocumentCommands;
class Documents;
class QAction;
class QActionGroup;
class QMdiArea;
class QMenu;
class QMenuBar;

// The main window's menu bar; each item carries its name as objectName. The
// document commands are wired here, the main window wires the items handed out
// below, and the rooms bring theirs to the places given out.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    MainMenus(Documents &documents, QMdiArea *area, DocumentCommands *commands, QMenuBar *bar);

    // Back, forward and stop as the active document window can use them now.
    void showCommandStates();
    // The rooms' places in the menus.
    void placeRooms(RoomAnchors &anchors) const;

    QAction *mnuFileNew;
    QAction *mnuFileClose;
    QAction *mnuFileExit;
    QAction *mnuEditback;
    QAction *MnuEditForward;
    QAction *mnuEditStop;
    QMenu *mnuView;
    QAction *mnuViewToolbar;
    QAction *mnuViewToolbarString;
    QAction *mnuViewTabbed;
    QAction *mnuViewBar0; // the line the media switches go above
    QMenu *mnuFile;
    QAction *mnuFileBar4;
    QMenu *mnuTools;
    QMenu *mnuHelp;
    QAction *mnuToolsIEOptions;
    QAction *mnuToolsProfileFolder;
    QAction *mnuToolsDownloads;
    QMenu *mnuWindow;
    QAction *mnuWindowNewWindow;
    QAction *mnuHelpShowtip;
    QAction *mnuHelpAbout;

private:
    QMenu *menu(const char *name, const QString &caption);
    QAction *add(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {});
    QAction *add(QMenu *menu, const char *name, const QString &caption, void (DocumentCommands::*handler)(),
                 const QKeySequence &shortcut = {});
    QAction *separator(QMenu *menu, const char *name);
    void buildFile();
    void buildEdit();
    void buildView();
    void buildTools();
    void buildWindow();
    void buildHelp();
    void fillWindowList();

    Documents &m_documents;
    QMdiArea *m_area;
    DocumentCommands *m_commands;
    QMenuBar *m_bar;
    QActionGroup *m_windowList = nullptr;
};
