#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// While it lives, a test expects a modal dialog; when it goes out of scope and none came,
// the test fails, so a command that silently opens nothing cannot pass.
class ModalWatch
{
public:
    ModalWatch(std::shared_ptr<bool> came, QTimer *watching) : m_came(std::move(came)), m_watching(watching) {}
    ModalWatch(ModalWatch &&) = default;
    ~ModalWatch()
    {
        if (!m_came)
            return;
        delete m_watching; // it must not take the dialog of a later test
        if (!*m_came && !QTest::currentTestFailed())
            QTest::qFail("the dialog a test waited for never came", __FILE__, __LINE__);
    }
    bool came() const { return *m_came; }

private:
    std::shared_ptr<bool> m_came;
    QPointer<QTimer> m_watching;
};

// Runs handle on the first modal dialog of type T once it shows, from the event
// loop, so a test can answer a dialog that exec() is waiting on. A failed check
// inside handle leaves the handler early: the dialog is then closed here, so that
// exec() returns and the test ends with its failure instead of hanging.
template<typename T>
[[nodiscard]] ModalWatch whenModalShown(std::function<void(T *)> handle, int timeoutMs = 20000)
{
    auto came = std::make_shared<bool>(false);
    auto *timer = new QTimer;
    timer->setInterval(10);
    auto remaining = std::make_shared<int>(timeoutMs / 10);
    QObject::connect(timer, &QTimer::timeout, [timer, handle, remaining, came] {
        T *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog && --*remaining > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (!dialog)
            return;
        *came = true;
        handle(dialog);
        if (QTest::currentTestFailed() && dialog->isVisible()) {
            if (auto *modal = qobject_cast<QDialog *>(dialog))
                modal->reject();
            else
                dialog->close();
        }
    });
    timer->start();
    return ModalWatch(came, timer);
}
