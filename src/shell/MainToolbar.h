#pragma once

#include "document/EntryPlace.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QToolBar;

// The main toolbar: the shell's own buttons as typed members, places where the rooms
// put theirs, the captions of all, and the dispatcher that runs a button by its key.
class MainToolbar : public QObject
{
    Q_OBJECT
public:
    MainToolbar(QToolBar *toolbar, const QString &programFolder);

    QAction *newWindow, *closeWindow, *open, *save, *print, *copy, *find, *list, *home, *bbs, *update;

    // After 主页, and before BBS.
    EntryPlace pageButtons();
    EntryPlace toolButtons();
    // Runs the button of key as a click would; false for a key no button has.
    bool run(const QString &key) const;
    // Captions on (every button gets its caption back) or off.
    void setCaptionsShown(bool shown);

private:
    QAction *button(const char *key, const char *caption, const char *hint, const char *image);
    void added(QAction *button, const QString &key);

    QToolBar *m_toolbar;
    QString m_programFolder;
    QAction *m_afterHome, *m_beforeBbs;
    QHash<QAction *, QString> m_captions;
    QHash<QString, QAction *> m_byKey; // what the dispatcher knows, filled as buttons come
};
