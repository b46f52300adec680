#include "EnterKeyFilter.h"

#include <QKeyEvent>

EnterKeyFilter::EnterKeyFilter(QObject *watched, std::function<void()> action)
    : QObject(watched), m_action(std::move(action))
{
    watched->installEventFilter(this);
}

bool EnterKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_action();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
