#include "platform/IdleSteps.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

// Work that keeps the event loop busy: each call queues the next, until stopped or done.
class Chain : public QObject
{
public:
    explicit Chain(int length) : m_left(length) { queue(); }
    int done = 0;
    bool stopped = false;

private:
    void queue()
    {
        QMetaObject::invokeMethod(this, [this] {
            ++done;
            if (!stopped && --m_left != 0)
                queue();
        }, Qt::QueuedConnection);
    }
    int m_left;
};

} // namespace

class tst_IdleSteps : public QObject
{
    Q_OBJECT

private slots:
    // Steps wait for work already under way, run in order, and a step may add one.
    void stepsRunInOrderAfterQueuedWork()
    {
        Chain chain(200);
        QStringList ran;
        IdleSteps steps;
        steps.add([&] {
            ran << QStringLiteral("first@%1").arg(chain.done);
            steps.add([&] { ran << QStringLiteral("added"); });
        });
        steps.add([&] { ran << QStringLiteral("second"); });
        QTRY_COMPARE(ran.size(), 3);
        QCOMPARE(ran, (QStringList{QStringLiteral("first@200"), QStringLiteral("second"), QStringLiteral("added")}));
    }

    // A loop that never runs out of work still gets to the steps.
    void aBusyLoopDoesNotHoldStepsBack()
    {
        Chain chain(-1);
        int ran = 0;
        IdleSteps steps;
        steps.add([&] { ++ran; });
        steps.add([&] { ++ran; });
        QTRY_COMPARE(ran, 2);
        QVERIFY(chain.done > 0);
        chain.stopped = true;
    }

    // On a thread with a loop of its own, the steps run there, not on the main thread's loop.
    void stepsRunOnTheirThread()
    {
        std::atomic<QThread *> ranOn = nullptr;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            QEventLoop loop;
            IdleSteps steps;
            steps.add([&] { ranOn = QThread::currentThread(); });
            steps.add([&] { loop.quit(); });
            loop.exec();
        }));
        worker->start();
        QTRY_VERIFY(worker->isFinished());
        QCOMPARE(ranOn.load(), worker.get());
    }
};

QTEST_MAIN(tst_IdleSteps)
#include "tst_idlesteps.moc"
