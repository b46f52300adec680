#include "PageFixture.h"
#include "UserInput.h"
#include "nettools/CommandRun.h"
#include "nettools/CommandRunner.h"
#include "nettools/LocalAddress.h"
#include "nettools/NetSettings.h"
#include "nettools/ToolsPage.h"
#include "platform/DetachedProcessLauncher.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QNetworkInterface>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

using Interfaces = QList<LocalAddress::Interface>;
Q_DECLARE_METATYPE(Interfaces)

namespace {

const QString Hint = CommandRunner::Hint;
constexpr auto OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

QStringList outputFiles()
{
    const QDir folder(CommandRun::folder(nullptr));
    return folder.entryList(QDir::Files);
}

LocalAddress::Interface interface(const char *name, const char *address, bool up = true, bool loopback = false)
{
    return {QLatin1String(name), up, loopback, {QHostAddress(QLatin1String("fe80::1")), QHostAddress(QLatin1String(address))}};
}

} // namespace

// The tools tab: Ping and Netstat through the process-start interface, and the local address.
class tst_ToolsPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<PageFixture> m_fixture;
    ToolsPage *m_page = nullptr;

    ScriptedLauncher &launcher() { return m_fixture->app.launcher; }
    QPlainTextEdit *area() { return m_fixture->field<QPlainTextEdit>("txtCommandOUTPUT"); }

    void showPage(ProcessLauncher *real = nullptr)
    {
        m_fixture = std::make_unique<PageFixture>();
        if (real)
            m_fixture->context.launcher = real;
        QVERIFY(m_fixture->show(m_page = new ToolsPage(m_fixture->context)));
    }
    // Pastes host into the host field, then presses button.
    void press(const char *button, const QString &host = QString())
    {
        QGuiApplication::clipboard()->setText(host);
        QWidget *typing = clickToFocus(m_fixture->field("txtPINGHOST"));
        QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(typing, host.isEmpty() ? Qt::Key_Delete : Qt::Key_V, host.isEmpty() ? Qt::NoModifier : Qt::ControlModifier);
        QCOMPARE(m_fixture->field("txtPINGHOST")->text(), host);
        m_fixture->press(button);
    }

private slots:
    void cleanup() { m_fixture.reset(); }

    void aStartThatIsRefusedStartsNothing_data()
    {
        QTest::addColumn<QString>("pingWait");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("message");
        const QString invalid = CommandRunner::InvalidHost;
        QTest::newRow("wait 0") << "0" << "127.0.0.1" << "Ping时间设置错误，请到选项中设置";
        QTest::newRow("wait empty") << "" << "127.0.0.1" << "Ping时间设置错误，请到选项中设置";
        QTest::newRow("an option") << "5000" << "-f 127.0.0.1" << invalid;
        QTest::newRow("an option alone") << "5000" << "-f" << invalid;
        QTest::newRow("a blank") << "5000" << "127.0.0.1 -f" << invalid;
        QTest::newRow("a tab") << "5000" << "127.0.0.1\t-f" << invalid;
        QTest::newRow("a line break") << "5000" << "127.0.0.1\n-f" << invalid;
        QTest::newRow("a control character") << "5000" << "127.0.0.1\x01" << invalid;
        QTest::newRow("an ideographic blank") << "5000" << "本机\u3000名" << invalid;
    }
    void aStartThatIsRefusedStartsNothing()
    {
        QFETCH(QString, pingWait);
        QFETCH(QString, host);
        QFETCH(QString, message);
        showPage();
        m_fixture->running.set(NetSettings::PingTime, pingWait);
        m_fixture->prompts().expectMessage(message);
        press("cmdPING", host);
        QVERIFY(launcher().started.isEmpty());
        QCOMPARE(outputFiles(), QStringList());
        QCOMPARE(area()->toPlainText(), QStringLiteral("命令输出\n"));
        QCOMPARE(m_fixture->prompts().messages.last().title, QStringLiteral("Error"));
    }

    void eachStartHasItsCommandAndAPrivateFile_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("waiting");
        QTest::newRow("ping") << "cmdPING" << "127.0.0.1" << QStringList{"ping", "-c", "4", "127.0.0.1"} << " 5";
        QTest::newRow("ping a Chinese name") << "cmdPING" << "例子.中国" << QStringList{"ping", "-c", "4", "例子.中国"} << " 5";
        QTest::newRow("ping nothing") << "cmdPING" << "" << QStringList{"ping", "-c", "4"} << " 5";
        QTest::newRow("netstat") << "cmdViewLOCALport" << "-f x" << QStringList{"netstat", "-an"} << " 10";
    }
    void eachStartHasItsCommandAndAPrivateFile()
    {
        QFETCH(QString, button);
        QFETCH(QString, host);
        QFETCH(QStringList, command);
        QFETCH(QString, waiting);
        showPage();
        press(qPrintable(button), host);
        QCOMPARE(launcher().started.size(), 1);
        const ScriptedLauncher::Start start = launcher().started.first();
        QCOMPARE(QStringList(start.program) + start.arguments, command);
        QCOMPARE(QFileInfo(start.outputFile).permissions(), OwnerOnly);
        QCOMPARE(QFileInfo(QFileInfo(start.outputFile).path()).permissions(), OwnerOnly | QFile::ExeOwner | QFile::ExeUser);
        QCOMPARE(area()->toPlainText(), QStringLiteral("命令输出\n\n请稍等%1秒钟......").arg(waiting));
    }

    void theOutputIsCollectedAtTheEndOfTheWait_data()
    {
        QTest::addColumn<bool>("finishFirst");
        QTest::addColumn<bool>("removeFile");
        QTest::addColumn<QString>("shown");
        const QString reply = QStringLiteral("PING 本机\r\n来自 127.0.0.1 的回复: 字节=32\r\n");
        QTest::newRow("ended within the wait") << true << false << reply;
        QTest::newRow("still running at the end") << false << false << reply;
        QTest::newRow("file gone") << true << true << CommandRun::NoOutput;
    }
    void theOutputIsCollectedAtTheEndOfTheWait()
    {
        QFETCH(bool, finishFirst);
        QFETCH(bool, removeFile);
        QFETCH(QString, shown);
        showPage();
        m_fixture->running.set(NetSettings::PingTime, QStringLiteral("300"));
        QSignalSpy appended(m_page->findChild<CommandRunner *>(QStringLiteral("ping")), &CommandRunner::appended);
        press("cmdPING", QStringLiteral("127.0.0.1"));
        const QString file = launcher().started.first().outputFile;
        QFile output(file);
        QVERIFY(output.open(QIODevice::Append));
        output.write(shown.toUtf8());
        output.close();
        if (removeFile)
            QVERIFY(output.remove());
        if (finishFirst)
            launcher().processes.first()->finish();
        QTRY_COMPARE_WITH_TIMEOUT(appended.size(), 2, 5000);
        QCOMPARE(appended.last().first().toString(), shown + QStringLiteral("\r\n") + Hint);
        QVERIFY(area()->toPlainText().endsWith(QString(shown + QStringLiteral("\r\n") + Hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
        QVERIFY(!QFile::exists(file));
        QTRY_VERIFY(launcher().processes.first().isNull());
    }

    void aStillRunningCommandIsEndedAndEachRunHasItsFile()
    {
        showPage();
        m_fixture->running.set(NetSettings::PingTime, QStringLiteral("200"));
        press("cmdPING", QStringLiteral("127.0.0.1"));
        const QList<QPointer<ScriptedProcess>> &processes = launcher().processes;
        QSignalSpy firstEnded(processes.first(), &StartedProcess::finished);
        press("cmdPING", QStringLiteral("localhost"));
        QCOMPARE(firstEnded.size(), 1); // a click during the wait ends the earlier run
        QVERIFY(launcher().started[0].outputFile != launcher().started[1].outputFile);
        QVERIFY(!QFile::exists(launcher().started[0].outputFile));
        QSignalSpy secondEnded(processes.last(), &StartedProcess::finished);
        QVERIFY(secondEnded.wait(2000)); // and the wait's end ends the later one
        QTRY_VERIFY(area()->toPlainText().endsWith(Hint));
        QCOMPARE(area()->toPlainText().count(Hint), 1);
        QCOMPARE(outputFiles(), QStringList());
    }

    void aLongOutputIsEmptiedFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ping 4001") << "cmdPING" << 4001 << false;
        QTest::newRow("ping 4000") << "cmdPING" << 4000 << true;
        QTest::newRow("netstat 8001") << "cmdViewLOCALport" << 8001 << false;
        QTest::newRow("netstat 8000") << "cmdViewLOCALport" << 8000 << true;
    }
    void aLongOutputIsEmptiedFirst()
    {
        QFETCH(QString, button);
        QFETCH(int, length);
        QFETCH(bool, kept);
        showPage();
        area()->setPlainText(QString(length, u'x'));
        press(qPrintable(button), QStringLiteral("127.0.0.1"));
        QCOMPARE(area()->toPlainText().startsWith(u'x'), kept);
    }

    void theWaitInForceAtTheStartIsShownAndKept_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<int>("interval");
        QTest::newRow("2500") << "2500" << "2.5" << 2500;
        QTest::newRow("60000") << "60000" << "60" << 60000;
        QTest::newRow("wordy") << "750ms" << "0.75" << 750;
        QTest::newRow("hand-edited 1e12") << "1e12" << "60" << 60000;
    }
    void theWaitInForceAtTheStartIsShownAndKept()
    {
        QFETCH(QString, stored);
        QFETCH(QString, seconds);
        QFETCH(int, interval);
        showPage();
        m_fixture->running.set(NetSettings::PingTime, stored);
        press("cmdPING", QStringLiteral("127.0.0.1"));
        QVERIFY(area()->toPlainText().endsWith(QStringLiteral("请稍等 %1秒钟......").arg(seconds)));
        auto *timer = m_fixture->field<QTimer>("Timer1");
        QVERIFY(timer->isActive());
        m_fixture->running.set(NetSettings::PingTime, QStringLiteral("1000"));
        QCOMPARE(timer->interval(), interval);
    }

    void aFileThatCannotBeMadeIsSaid()
    {
        showPage();
        const QString folder = CommandRun::folder(nullptr);
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        m_fixture->prompts().expectMessage(QStringLiteral("无法创建"));
        press("cmdPING", QStringLiteral("127.0.0.1"));
        QVERIFY(launcher().started.isEmpty());
        QVERIFY(blocker.remove());
    }

    void aRealCommandsOutputArrives()
    {
        DetachedProcessLauncher real;
        showPage(&real);
        m_fixture->running.set(NetSettings::NetStatTime, QStringLiteral("1500"));
        press("cmdViewLOCALport");
        QTRY_VERIFY_WITH_TIMEOUT(area()->toPlainText().endsWith(Hint), 5000);
        const QString text = area()->toPlainText();
        const QString output = text.mid(text.indexOf(u"秒钟......") + 8).chopped(Hint.size()).trimmed();
        QVERIFY2(!output.isEmpty(), qPrintable(text));
        QCOMPARE(outputFiles(), QStringList());
    }

    void localAddressIsChosen_data()
    {
        QTest::addColumn<QByteArray>("routes");
        QTest::addColumn<Interfaces>("interfaces");
        QTest::addColumn<QString>("address");
        const QByteArray header = "Iface\tDestination\tGateway\tFlags\tRefCnt\tUse\tMetric\tMask\tMTU\tWindow\tIRTT\n";
        const QByteArray eth1Default = header + "eth0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                                                "eth1\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n";
        const Interfaces three{interface("lo", "127.0.0.1", true, true), interface("eth0", "192.168.0.5"),
                               interface("eth1", "10.0.0.7")};
        QTest::newRow("the default route's") << eth1Default << three << "10.0.0.7";
        QTest::newRow("the lowest metric's")
            << QByteArray(header + "eth1\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                                   "eth0\t00000000\t0100A8C0\t0003\t0\t0\t20\t00000000\t0\t0\t0\n"
                                   "lo\t00000000\t0100007F\t0003\t0\t0\t600\t00000000\t0\t0\t0\n") << three
            << "192.168.0.5";
        QTest::newRow("a route that is down") << QByteArray(header + "eth1\t00000000\t0100000A\t0002\t0\t0\t0\t00000000\t0\t0\t0\n")
                                              << three << "192.168.0.5";
        QTest::newRow("no routes") << QByteArray() << Interfaces{three[0], interface("eth0", "192.168.0.5", false), three[2]}
                                   << "10.0.0.7";
        QTest::newRow("loopback alone") << header << Interfaces{three[0]} << "127.0.0.1";
        QTest::newRow("nothing") << QByteArray() << Interfaces{} << "127.0.0.1";
    }
    void localAddressIsChosen()
    {
        QFETCH(QByteArray, routes);
        QFETCH(Interfaces, interfaces);
        QFETCH(QString, address);
        QCOMPARE(LocalAddress::choose(routes, interfaces), address);
    }

    void theFieldShowsTheAddressOnEveryRefresh()
    {
        showPage();
        const QString address = LocalAddress::primary();
        QVERIFY(QNetworkInterface::allAddresses().contains(QHostAddress(address)));
        for (int i = 0; i < 2; ++i) {
            m_page->chosen();
            QCOMPARE(m_fixture->field("txtLocalIP")->text(), QStringLiteral("本地IP：") + address);
        }
        m_fixture->field("txtLocalIP")->clear();
        m_fixture->press("IPrefresh");
        QCOMPARE(m_fixture->field("txtLocalIP")->text(), QStringLiteral("本地IP：") + address);
    }
};

QTEST_MAIN(tst_ToolsPage)
#include "tst_toolspage.moc"
