#include "LoopbackServer.h"
#include "MainWindow.h"
#include "TestApp.h"
#include "XDisplay.h"
#include "core/ProfileFolder.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "session/SessionFile.h"
#include "shell/RunningCopy.h"

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
    LoopbackServer m_pages;
    QList<PageEntry> m_killedRun; // what a run killed with SIGKILL left on file

    static QString sessionFile() { return ProfileFolder::defaultPath() + u'/' + QLatin1String(SessionFile::Name); }
    QStringList addresses(const QList<PageEntry> &pages) const
    {
        QStringList addresses;
        for (const PageEntry &page : pages)
            addresses.append(page.address);
        return addresses;
    }
    QStringList pageAddresses(const QStringList &paths) const
    {
        QStringList addresses;
        for (const QString &path : paths)
            addresses.append(m_pages.address(path));
        return addresses;
    }
    // Started as a user starts it from another program; true when it ended at once, and well.
    bool handedOver(const QString &address)
    {
        QProcess later;
        later.start(m_binary, {address});
        return later.waitForFinished(10000) && later.exitStatus() == QProcess::NormalExit && later.exitCode() == 0;
    }

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
        const QDir fonts(QFileInfo(QStringLiteral(VANTOREL_BINARY)).dir().filePath(QStringLiteral("fonts")));
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("fonts")));
        for (const QString &font : fonts.entryList(QDir::Files))
            QVERIFY(QFile::copy(fonts.filePath(font), m_folder.filePath(QStringLiteral("fonts/") + font)));
        for (const char *path : {"/one", "/two", "/three", "/four", "/five"})
            m_pages.route(path, "<html><head><title>" + QByteArray(path + 1) + "</title></head><body></body></html>");
    }

    // An address from another program opens as the first page; while that copy runs, later
    // starts hand theirs to it and end. A kill leaves the windows on file, in their order, and
    // a socket nobody listens on, which the next start takes over; a request to end is a close.
    void oneRunningCopyAndAKilledRun()
    {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QDir().mkpath(config + QStringLiteral("/Vantorel"));
        QFile settings(config + QStringLiteral("/Vantorel/vantorel.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write("[Options]\nShowTips=0\n") > 0);
        settings.close();
        QFile::remove(sessionFile());
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(m_binary, {m_pages.address(QStringLiteral("/one"))});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(m_pages.wasRequested("/one") || program.state() != QProcess::Running, 60000);
        QCOMPARE(program.state(), QProcess::Running);
        for (const char *path : {"/two", "/three"}) {
            QVERIFY(handedOver(m_pages.address(QLatin1String(path))));
            QTRY_VERIFY_WITH_TIMEOUT(m_pages.wasRequested(path), 30000);
        }
        const QStringList three = pageAddresses({"/one", "/two", "/three"});
        QTRY_COMPARE_WITH_TIMEOUT(addresses(SessionFile::read(sessionFile())), three, 10000);
        // Its labels are drawn from the program's cut of the CJK font; the full font stays unmapped.
        QFile maps(QStringLiteral("/proc/%1/maps").arg(program.processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(mapped.contains("/fonts/interface-regular.otf"));
        QVERIFY2(!mapped.contains("NotoSansCJK"), "the full CJK font was needed");
        program.kill();
        QVERIFY(program.waitForFinished(10000));
        m_killedRun = SessionFile::read(sessionFile());
        QVERIFY(QFile::remove(sessionFile()));

        const QString socket = RunningCopy(RunningCopy::nameFor(ProfileFolder::defaultPath())).socketPath();
        QVERIFY(QFileInfo(socket).exists());
        QProcess next;
        next.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        next.start(m_binary, {m_pages.address(QStringLiteral("/four"))});
        QVERIFY(next.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(m_pages.wasRequested("/four") || next.state() != QProcess::Running, 60000);
        QCOMPARE(next.state(), QProcess::Running);
        QVERIFY(handedOver(m_pages.address(QStringLiteral("/five"))));
        QTRY_VERIFY_WITH_TIMEOUT(m_pages.wasRequested("/five"), 30000);
        QTRY_VERIFY(QFile::exists(sessionFile()));
        next.terminate();
        QVERIFY(next.waitForFinished(10000) && next.exitStatus() == QProcess::NormalExit);
        QVERIFY(!QFile::exists(sessionFile()));
    }

    // The killed run's windows come back after the first one on 是; 否 lets them go. A
    // normal close leaves nothing to offer.
    void aKilledRunIsOfferedBack_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("是") << int(Prompts::Yes) << QStringList{"/one", "/two", "/three"};
        QTest::newRow("否") << int(Prompts::No) << QStringList{};
    }
    void aKilledRunIsOfferedBack()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, paths);
        QVERIFY(!m_killedRun.isEmpty());
        TestApp app;
        QVERIFY(SessionFile::write(app.profileFile(QLatin1String(SessionFile::Name)), m_killedRun));
        app.prompts.expectMessage(QStringLiteral("上次Vantorel没有正常关闭，是否恢复上次打开的窗口？"), Prompts::Button(answer));
        const auto main = startMainWindow(app, DesktopSize, QStringLiteral("about:blank"));
        QVERIFY(main);
        QTRY_COMPARE(app.prompts.messages.size(), 1);
        const QStringList expected = QStringList{QStringLiteral("about:blank")} + pageAddresses(paths);
        const auto shown = [&] {
            QStringList shown;
            for (const frmDocument *document : documentsOf(*main))
                shown.append(document->web()->locationURL());
            return shown;
        };
        QTRY_COMPARE(shown(), expected);
        QTRY_COMPARE(addresses(SessionFile::read(app.profileFile(QLatin1String(SessionFile::Name)))), expected);
        QVERIFY(main->close());
        QVERIFY(!QFile::exists(app.profileFile(QLatin1String(SessionFile::Name))));
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
        // The message may reach the pipe's reader after the window shows.
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += program.readAllStandardError()).contains("run.sh"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!display.findWindow(QStringLiteral("^Vantorel II$")).isEmpty(), 30000);
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
