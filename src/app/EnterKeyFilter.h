#pragma once

#include <QObject>
#include <functional>

// Runs an action on Enter in a widget and swallows the key. Used on combo-box
// edit fields, whose returnPressed can arrive twice.
class EnterKeyFilter : public QObject
{
    Q_OBJECT
public:
    EnterKeyFilter(QObject *watched, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_action;
};
