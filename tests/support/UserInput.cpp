#include "UserInput.h"

#include <QApplication>
#include <QTest>

QWidget *clickToFocus(QWidget *control)
{
    QWidget *window = control->window();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return nullptr;
    // The click lands on whatever is drawn there, as a real one does.
    const QPoint point(control->width() / 3, control->height() / 2);
    QWidget *target = control->childAt(point);
    if (!target)
        target = control;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(control, point));
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000))
        return nullptr;
    return QApplication::focusWidget();
}
