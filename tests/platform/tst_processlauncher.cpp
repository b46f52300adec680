#include "core/StartedProcess.h"
#include "platform/DetachedProcessLauncher.h"

#include <QSignalSpy>
#include <QTest>

// Programs started without a shell; what a followed one writes comes through a pipe.
class tst_ProcessLauncher : public QObject
{
    Q_OBJECT

private slots:
    void theOutputComesThroughAPipe_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QByteArray>("output");
        // No shell: blanks, "$" and ";" stay inside their argument.
        QTest::newRow("arguments as they are") << QStringList{"printf", "%s|", "a b", "$HOME; echo x"}
                                               << QByteArray("a b|$HOME; echo x|");
        QTest::newRow("both channels in turn") << QStringList{"sh", "-c", "echo err >&2; echo out"}
                                               << QByteArray("err\nout\n");
        QTest::newRow("more than is kept") << QStringList{"head", "-c", "3000000", "/dev/zero"}
                                           << QByteArray(StartedProcess::OutputLimit, '\0');
    }
    void theOutputComesThroughAPipe()
    {
        QFETCH(QStringList, command);
        QFETCH(QByteArray, output);
        DetachedProcessLauncher real;
        std::unique_ptr<StartedProcess> followed(static_cast<ProcessLauncher &>(real).start(command[0], command.mid(1)));
        QSignalSpy ended(followed.get(), &StartedProcess::finished);
        QVERIFY(ended.wait(5000));
        QCOMPARE(followed->output(), output);
    }

    void aMissingProgramIsReported()
    {
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QString error;
        QVERIFY(!launcher.startDetached(QStringLiteral("/nonexistent/program"), {}, &error));
        QVERIFY(!error.isEmpty());
        error.clear();
        QVERIFY(!launcher.start(QStringLiteral("/nonexistent/program"), {}, &error));
        QVERIFY(!error.isEmpty());
    }

    void aFollowedProgramCanBeEnded()
    {
        DetachedProcessLauncher real;
        std::unique_ptr<StartedProcess> slow(real.start(QStringLiteral("sleep"), {QStringLiteral("30")}, nullptr));
        QSignalSpy ended(slow.get(), &StartedProcess::finished);
        QVERIFY(slow->running());
        slow->end();
        QVERIFY(ended.wait(3000));
        QVERIFY(!slow->running());
    }
};

QTEST_GUILESS_MAIN(tst_ProcessLauncher)
#include "tst_processlauncher.moc"
