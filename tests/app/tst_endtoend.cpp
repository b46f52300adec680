#include "LoopbackServer.h"
#include "TestApp.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Starts the built program from a program folder of its own and watches it load a page.
class tst_EndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void startsWithNoHomeAndLoadsThePage()
    {
        QTemporaryDir folder;
        copyDataFolder(folder.path());
        const QString binary = folder.filePath(QStringLiteral("vantorel"));
        QVERIFY(QFile::copy(QStringLiteral(VANTOREL_BINARY), binary));

        LoopbackServer server;
        server.route("/start", "<html><head><title>End To End</title></head><body>"
                               "<script>onload = () => fetch('/loaded');</script></body></html>");
        server.route("/loaded", "ok");

        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(binary, {QStringLiteral("-nohome"), server.address(QStringLiteral("/start"))});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.wasRequested("/loaded"), 60000);
        QCOMPARE(program.state(), QProcess::Running);

        program.terminate();
        if (!program.waitForFinished(10000))
            program.kill();
    }
};

QTEST_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
