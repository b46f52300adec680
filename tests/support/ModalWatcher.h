#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Runs handle on the first modal dialog of type T once it shows, from the event
// loop, so a test can answer a dialog that exec() is waiting on.
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
        if (dialog)
            handle(dialog);
    });
    timer->start();
}
