#pragma once

#include <QObject>
#include <functional>

// Runs an action on Enter (either key) in a widget and swallows the key. Install it
// on the widget that has the focus: an editable combo box hands keys to its edit
// field by a direct call that passes no event filter.
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
