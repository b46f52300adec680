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
// document commands are wired here; the main window wires its own items by name.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    MainMenus(Documents &documents, QMdiArea *area, DocumentCommands *commands, QMenuBar *bar);

    QAction *item(const QString &name) const;
    // Back, forward and stop as the active document window can use them now.
    void showCommandStates();

    QAction *mnuViewToolbar;
    QAction *mnuViewToolbarString;
    QAction *mnuViewTabbed;
    QAction *mnuViewShowPicture;
    QAction *mnuViewPlaySound;
    QAction *mnuViewPlayANI;
    QAction *mnuViewPlayVideo;
    QMenu *mnuWindow;

private:
    QMenu *menu(const char *name, const QString &caption);
    QAction *add(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {});
    QAction *add(QMenu *menu, const char *name, const QString &caption, void (DocumentCommands::*handler)(),
                 const QKeySequence &shortcut = {});
    void separator(QMenu *menu, const char *name);
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
