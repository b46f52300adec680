#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QToolBar;

// Fills the main toolbar with its keyed buttons; every click goes to one dispatcher.
class MainToolbar : public QObject
{
    Q_OBJECT
public:
    MainToolbar(QToolBar *toolbar, const QString &programFolder);

    QAction *button(const QString &key) const;
    QMenu *linkMenu() const { return m_linkMenu; }
    QAction *listButton() const { return button(QStringLiteral("list")); }
    // Captions on (every key gets its caption back) or off.
    void setCaptionsShown(bool shown);

signals:
    void clicked(const QString &key);

private:
    QToolBar *m_toolbar;
    QMenu *m_linkMenu;
};
