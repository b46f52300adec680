#pragma once

#include <QAction>
#include <QKeySequence>
#include <QObject>

class DocumentCommands;
class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class frmMain;

// The main window's menu bar; each item carries its name as objectName.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    MainMenus(frmMain &main, DocumentCommands *commands, QMenuBar *bar);

    QAction *item(const QString &name) const;

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
    QAction *add(QMenu *menu, const char *name, const QString &caption);
    template<typename Receiver>
    QAction *add(QMenu *menu, const char *name, const QString &caption, Receiver *receiver,
                 void (Receiver::*handler)(), const QKeySequence &shortcut = {})
    {
        QAction *action = add(menu, name, caption);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, receiver, handler);
        return action;
    }
    void separator(QMenu *menu, const char *name);
    void buildFile();
    void buildEdit();
    void buildView();
    void buildTools();
    void buildWindow();
    void buildHelp();
    void fillWindowList();

    frmMain &m_main;
    DocumentCommands *m_commands;
    QMenuBar *m_bar;
    QActionGroup *m_windowList = nullptr;
};
