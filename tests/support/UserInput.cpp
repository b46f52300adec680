#include "UserInput.h"

#include <QApplication>
#include <QTest>

QWidget *clickToFocus(QWidget *control)
{
    QWidget *window = control->window();
    window->show();
    window->activateWindow();
    // Not QTest::qWaitForWindowActive: a dialog counts as active there while the window it
    // belongs to is, before the dialog itself has been activated and can take the focus.
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000))
        return nullptr;
    // The click lands on whatever is drawn there, as a real one does.
    const QPoint point(control->width() / 3, control->height() / 2);
    QWidget *target = control->childAt(point);
    if (!target)
        target = control;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(control, point));
    // The focus may arrive later (a page's own widget takes it once its renderer answers).
    const bool focused = QTest::qWaitFor(
        [control] {
            QWidget *focus = QApplication::focusWidget();
            return focus && (focus == control || control->isAncestorOf(focus) || focus == control->focusProxy());
        },
        2000);
    Q_UNUSED(focused); // the caller checks where the keys go
    return QApplication::focusWidget();
}
