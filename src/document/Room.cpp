#include "Room.h"

#include "platform/PanelPage.h"

#include <QAction>

Room::Room(const QString &pageId, const QString &caption, std::function<PanelPage *()> make, QObject *parent)
    : QObject(parent), m_pageId(pageId), m_caption(caption), m_make(std::move(make))
{
}

Room::Room(QObject *parent) : QObject(parent) {}

PanelPage *Room::page()
{
    if (!m_page && m_make) {
        m_page = m_make();
        emit pageBuiltNow(m_page);
    }
    return m_page;
}

void Room::addKey(QWidget *window, const QKeySequence &key, const std::function<void()> &command)
{
    auto *action = new QAction(this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, command);
    window->addAction(action);
}

QAction *Room::entry(const QString &caption, const char *name, const std::function<void()> &command)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, command);
    return action;
}
