#include "LoopbackServer.h"
#include "TestApp.h"
#include "XDisplay.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Starts the built program from a program folder of its own and watches it load pages.
class tst_EndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_binary;

    void stop(QProcess &program)
    {
        program.terminate();
        if (!program.waitForFinished(10000))
            program.kill();
    }

private slots:
    void initTestCase()
    {
        copyDataFolder(m_folder.path());
        m_binary = m_folder.filePath(QStringLiteral("vantorel"));
        QVERIFY(QFile::copy(QStringLiteral(VANTOREL_BINARY), m_binary));
    }

    void startsWithNoHomeAndLoadsThePage()
    {
        LoopbackServer server;
        server.route("/start", "<html><head><title>End To End</title></head><body>"
                               "<script>onload = () => fetch('/loaded');</script></body></html>");
        server.route("/loaded", "ok");

        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(m_binary, {QStringLiteral("-nohome"), server.address(QStringLiteral("/start"))});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.wasRequested("/loaded"), 60000);
        QCOMPARE(program.state(), QProcess::Running);
        stop(program);
    }

    // Qt takes options such as -reverse out of its arguments; the address still reads as typed.
    void noHomeAddressIsTheCommandLineAsTyped()
    {
        LoopbackServer server;
        server.route("/typed", "<html><head><title>Typed</title></head><body>typed</body></html>");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(m_binary, {QStringLiteral("-nohome"), server.address(QStringLiteral("/typed?q=")),
                                 QStringLiteral("-reverse")});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.wasRequested("/typed") || program.state() != QProcess::Running, 60000);
        QCOMPARE(program.state(), QProcess::Running);
        QCOMPARE(server.requests().first().target, QByteArray("/typed?q=%20-reverse"));
        stop(program);
    }

    // As root with the engine's sandbox on, the engine would end the program unseen: it says why first.
    void asRootWithTheSandboxOnItSaysWhy()
    {
        if (geteuid() != 0)
            QSKIP("only root is refused by the engine");
        XDisplay display;
        QVERIFY2(display.isRunning(), "Xvfb did not start");
        QProcessEnvironment environment = display.environment();
        environment.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(m_binary, {});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!display.findWindow(QStringLiteral("^Vantorel II$")).isEmpty(), 30000);
        QVERIFY(QString::fromLocal8Bit(program.readAllStandardError()).contains(QStringLiteral("run.sh")));
        stop(program);
    }

    // Real key presses on an X display: Ctrl+L, an address without a scheme, Enter.
    void typedAddressOpensOnEnter()
    {
        XDisplay display;
        QVERIFY2(display.isRunning(), "Xvfb did not start");
        LoopbackServer server;
        server.route("/home", "<html><head><title>Typing Home</title></head><body>home</body></html>");
        server.route("/typed", "<html><head><title>Typed</title></head><body>typed</body></html>");
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QDir().mkpath(config + QStringLiteral("/Vantorel"));
        QFile settings(config + QStringLiteral("/Vantorel/vantorel.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Options]\nShowTips=0\n[Settings]\nHomepage=" + server.address(QStringLiteral("/home")).toUtf8()
                       + "\n");
        settings.close();

        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.setProcessEnvironment(display.environment());
        program.start(m_binary, {});
        QVERIFY(program.waitForStarted());
        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = display.findWindow(QStringLiteral("Typing Home"))).isEmpty()
                                     || program.state() != QProcess::Running,
                                 60000);
        QCOMPARE(program.state(), QProcess::Running);
        display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        display.xdotool({QStringLiteral("key"), QStringLiteral("ctrl+l")});
        const QString typed = QStringLiteral("127.0.0.1:%1/typed").arg(server.serverPort());
        display.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), typed});
        display.xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        QTRY_VERIFY_WITH_TIMEOUT(server.wasRequested("/typed"), 30000);
        QTRY_VERIFY(!display.findWindow(QStringLiteral("[Typed]")).isEmpty());
        stop(program);
    }
};

QTEST_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
