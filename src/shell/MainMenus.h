#pragma once

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
// document commands are wired here; the main window and the rooms wire the items
// handed out below.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    MainMenus(Documents &documents, QMdiArea *area, DocumentCommands *commands, QMenuBar *bar);

    // Back, forward and stop as the active document window can use them now.
    void showCommandStates();

    QAction *mnuFileNew;
    QAction *mnuFileClose;
    QAction *mnuFileSend;
    QAction *mnuFileExit;
    QAction *mnuEditback;
    QAction *MnuEditForward;
    QAction *mnuEditStop;
    QMenu *mnuView;
    QAction *mnuViewToolbar;
    QAction *mnuViewToolbarString;
    QAction *mnuViewTabbed;
    QAction *mnuViewBar0; // the line the media switches go above
    QAction *mnuViewOptions;
    QAction *mnuToolsOptions;
    QAction *mnuToolsIEOptions;
    QAction *mnuToolsProfileFolder;
    QAction *mnuToolsDownloads;
    QMenu *mnuWindow;
    QAction *mnuWindowNewWindow;
    QAction *mnuHelpContents;
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
