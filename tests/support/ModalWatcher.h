#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs handle on the first modal dialog of type T once it shows, from the event
// loop, so a test can answer a dialog that exec() is waiting on. A failed check
// inside handle leaves the handler early: the dialog is then closed here, so that
// exec() returns and the test ends with its failure instead of hanging.
template<typename T>
void whenModalShown(std::function<void(T *)> handle, int timeoutMs = 20000)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    auto remaining = std::make_shared<int>(timeoutMs / 10);
    QObject::connect(timer, &QTimer::timeout, [timer, handle, remaining] {
        T *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog && --*remaining > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (!dialog)
            return;
        handle(dialog);
        if (QTest::currentTestFailed() && dialog->isVisible()) {
            if (auto *modal = qobject_cast<QDialog *>(dialog))
                modal->reject();
            else
                dialog->close();
        }
    });
    timer->start();
}
