#include "PageFixture.h"
#include "UserInput.h"
#include "nettools/CommandRunner.h"
#include "nettools/LocalAddress.h"
#include "nettools/NetSettings.h"
#include "core/RunningSettings.h"
#include "nettools/ToolsPage.h"
#include "platform/DetachedProcessLauncher.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLocalServer>
#include <QNetworkInterface>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

using Interfaces = QList<LocalAddress::Interface>;
Q_DECLARE_METATYPE(Interfaces)

namespace {

const QString Hint = CommandRunner::Hint;
// Where output files were once made; whatever is planted there stays untouched.
QString oldFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u"/vantorel-tools"_qs;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

LocalAddress::Interface interface(const char *name, const char *address, bool up = true)
{
    return {QLatin1String(name), up, qstrcmp(name, "lo") == 0, {QHostAddress(u"fe80::1"_qs), QHostAddress(QLatin1String(address))}};
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
    void showPage(ProcessLauncher *launcher = nullptr)
    {
        m_fixture = std::make_unique<PageFixture>();
        AppContext context = m_fixture->context;
        context.launcher = launcher ? launcher : context.launcher;
        QVERIFY(m_fixture->show(m_page = new ToolsPage(context)));
    }
    // Pastes host into the host field, then presses button.
    void press(const char *button, const QString &host = QString())
    {
        QGuiApplication::clipboard()->setText(host);
        if (!host.isEmpty())
            QTest::keyClick(clickToFocus(m_fixture->field("txtPINGHOST")), Qt::Key_V, Qt::ControlModifier);
        m_fixture->press(button);
    }

private slots:
    void cleanup()
    {
        m_fixture.reset();
        QFile::remove(oldFolder()) || QDir().rmdir(oldFolder());
    }

    void aStartThatIsRefusedStartsNothing_data()
    {
        QTest::addColumn<QString>("pingWait");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("message");
        const QString invalid = CommandRunner::InvalidHost;
        QTest::newRow("wait 0") << "0" << "127.0.0.1" << "Ping时间设置错误，请到选项中设置";
        QTest::newRow("an option") << "5000" << "-f 127.0.0.1" << invalid;
        QTest::newRow("an option alone") << "5000" << "-f" << invalid;
        QTest::newRow("a blank") << "5000" << "127.0.0.1 -f" << invalid;
        QTest::newRow("a tab") << "5000" << "127.0.0.1\t-f" << invalid;
        QTest::newRow("a line break") << "5000" << "127.0.0.1\n-f" << invalid;
        QTest::newRow("a control character") << "5000" << "127.0.0.1\x01" << invalid;
        QTest::newRow("an ideographic blank") << "5000" << "本机\u3000名" << invalid;
        QTest::newRow("no host") << "5000" << "" << invalid;
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
        QCOMPARE(m_fixture->field("txtPINGHOST")->text(), host);
        QVERIFY(launcher().started.isEmpty());
        QCOMPARE(area()->toPlainText(), QStringLiteral("命令输出\n"));
        QCOMPARE(m_fixture->prompts().messages.last().title, QStringLiteral("Error"));
    }

    void aStartShowsItsWaitAndRunsItsCommand_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("wait"); // as the options stored it
        QTest::addColumn<int>("shown");    // characters in the output area before
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("seconds");
        const QStringList ping{"ping", "-c", "4", "127.0.0.1"}, netstat{"netstat", "-tuna"};
        QTest::newRow("ping") << "cmdPING" << "127.0.0.1" << "5000" << 0 << false << ping << "5";
        QTest::newRow("a Chinese name") << "cmdPING" << "例子.中国" << "5000" << 0 << false
                                        << QStringList{"ping", "-c", "4", "例子.中国"} << "5";
        QTest::newRow("netstat") << "cmdViewLOCALport" << "-f x" << "10000" << 0 << false << netstat << "10";
        QTest::newRow("ping after 4001") << "cmdPING" << "127.0.0.1" << "5000" << 4001 << true << ping << "5";
        QTest::newRow("ping after 4000") << "cmdPING" << "127.0.0.1" << "5000" << 4000 << false << ping << "5";
        QTest::newRow("netstat after 8001") << "cmdViewLOCALport" << "" << "10000" << 8001 << true << netstat << "10";
        QTest::newRow("netstat after 8000") << "cmdViewLOCALport" << "" << "10000" << 8000 << false << netstat << "10";
        QTest::newRow("2.5 s") << "cmdPING" << "127.0.0.1" << "2500" << 0 << false << ping << "2.5";
        QTest::newRow("wordy") << "cmdPING" << "127.0.0.1" << "750ms" << 0 << false << ping << "0.75";
        QTest::newRow("hand-edited 1e12") << "cmdPING" << "127.0.0.1" << "1e12" << 0 << false << ping << "60";
        QTest::newRow("hand-emptied") << "cmdPING" << "127.0.0.1" << "" << 0 << false << ping << "5";
    }
    void aStartShowsItsWaitAndRunsItsCommand()
    {
        QFETCH(QString, button);
        QFETCH(QString, host);
        QFETCH(QString, wait);
        QFETCH(int, shown);
        QFETCH(bool, cleared);
        QFETCH(QStringList, command);
        QFETCH(QString, seconds);
        showPage();
        const bool isPing = button == QStringLiteral("cmdPING");
        const SettingKey &waitKey = isPing ? NetSettings::PingTime : NetSettings::NetStatTime;
        m_fixture->running.set(waitKey, wait); // the page is built: the next start takes it
        if (shown)
            area()->setPlainText(QString(shown, u'x'));
        const QString before = cleared ? QString() : area()->toPlainText();
        press(qPrintable(button), host);
        const ScriptedLauncher::Start start = launcher().started.value(0);
        QCOMPARE(QStringList(start.program) + start.arguments, command);
        QCOMPARE(area()->toPlainText(), before + QStringLiteral("\n请稍等 %1秒钟......").arg(seconds));
        // A wait changed during the run leaves the run's own alone.
        auto *timer = m_fixture->field<QTimer>(isPing ? "Timer1" : "Timer2");
        m_fixture->running.set(waitKey, QStringLiteral("1000"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), qRound(seconds.toDouble() * 1000));
    }

    void theOutputIsCollectedAtTheEndOfTheWait_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("finishFirst");
        QTest::addColumn<QString>("planted"); // at the old output folder's name
        QTest::newRow("ended within the wait") << 1 << true << "";
        QTest::newRow("still running at the end") << 1 << false << "";
        QTest::newRow("clicked again during the wait") << 2 << false << "";
        QTest::newRow("a link to a folder planted") << 1 << false << "folder";
        QTest::newRow("a link to a file planted") << 1 << false << "secret";
        QTest::newRow("a file planted") << 1 << false << "copy";
    }
    void theOutputIsCollectedAtTheEndOfTheWait()
    {
        QFETCH(int, clicks);
        QFETCH(bool, finishFirst);
        QFETCH(QString, planted);
        QTemporaryDir elsewhere;
        const QString secret = elsewhere.filePath(u"secret"_qs);
        QFile file(secret);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("root only\n") > 0);
        file.close();
        QVERIFY(QFile::setPermissions(elsewhere.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                            | QFile::ReadOther));
        const QString target = planted == u"folder"_qs ? elsewhere.path() : secret;
        QVERIFY(planted.isEmpty() || (planted == u"copy"_qs ? QFile::copy(secret, oldFolder()) : QFile::link(target, oldFolder())));
        showPage();
        m_fixture->running.set(NetSettings::PingTime, QStringLiteral("300"));
        QSignalSpy appended(m_page->findChild<CommandRunner *>(QStringLiteral("ping")), &CommandRunner::appended);
        for (int click = 0; click < clicks; ++click)
            press("cmdPING", click ? QString() : QStringLiteral("127.0.0.1"));
        const QString shown = u"PING 本机\r\n"_qs + u"来自 127.0.0.1 的回复: 字节=32\r\n"_qs.repeated(40);
        QCOMPARE(launcher().processes.size(), clicks);
        launcher().processes.last()->written = shown.toUtf8();
        if (finishFirst)
            launcher().processes.last()->finish();
        QTRY_COMPARE_WITH_TIMEOUT(appended.size(), clicks + 1, 5000);
        QCOMPARE(appended.last().first().toString(), QStringLiteral("\r\n") + shown + QStringLiteral("\r\n") + Hint);
        QVERIFY(area()->toPlainText().endsWith(QString(shown + u'\n' + Hint).remove(u'\r')));
        QCOMPARE(area()->toPlainText().count(Hint), 1);
        // The view follows the new lines down, and stays at their start.
        QCOMPARE(area()->verticalScrollBar()->value(), area()->verticalScrollBar()->maximum());
        QVERIFY(area()->verticalScrollBar()->value() > 0);
        QCOMPARE(area()->horizontalScrollBar()->value(), 0);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"secret"_qs});
        QVERIFY(QFileInfo(elsewhere.path()).permissions().testFlag(QFile::ReadOther));
        QCOMPARE(contents(secret), "root only\n");
        QVERIFY(planted != u"copy"_qs || contents(oldFolder()) == "root only\n");
        QVERIFY(!area()->toPlainText().contains(u"root only"_qs));
    }

    void realCommandsReachTheArea_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown"); // PORT: one we listen on
        QTest::newRow("ping") << "cmdPING" << "icmp_seq=1 ";
        QTest::newRow("netstat") << "cmdViewLOCALport" << "127.0.0.1:PORT ";
    }
    void realCommandsReachTheArea()
    {
        QFETCH(QString, button);
        QFETCH(QString, shown);
        QTcpServer tcp;
        QLocalServer local;
        QVERIFY(tcp.listen(QHostAddress::LocalHost) && local.listen(u"vantorel-tools-test"_qs));
        DetachedProcessLauncher real;
        showPage(&real);
        for (const SettingKey *wait : {&NetSettings::PingTime, &NetSettings::NetStatTime})
            m_fixture->running.set(*wait, QStringLiteral("1500"));
        press(qPrintable(button), QStringLiteral("127.0.0.1"));
        QTRY_VERIFY_WITH_TIMEOUT(area()->toPlainText().endsWith(Hint), 5000);
        QVERIFY(area()->toPlainText().contains(shown.replace(u"PORT"_qs, QString::number(tcp.serverPort()))));
        QVERIFY(!area()->toPlainText().contains(local.fullServerName()));
    }

    void localAddressIsChosen_data()
    {
        QTest::addColumn<QByteArray>("routes"); // as /proc/net/route lists them, after its header
        QTest::addColumn<Interfaces>("interfaces");
        QTest::addColumn<QString>("address");
        const auto route = [](const char *name, const char *destination, const char *flags, const char *metric) {
            return QByteArray(name) + '\t' + destination + "\t0100000A\t" + flags + "\t0\t0\t" + metric + '\t'
                 + destination + "\t0\t0\t0\n";
        };
        const QByteArray header = "Iface\tDestination\tGateway\tFlags\tRefCnt\tUse\tMetric\tMask\n";
        const Interfaces three{interface("lo", "127.0.0.1"), interface("eth0", "192.168.0.5"), interface("eth1", "10.0.0.7")};
        const QByteArray eth1 = route("eth0", "0000A8C0", "0001", "0") + route("eth1", "00000000", "0003", "100");
        QTest::newRow("the default route's") << header + eth1 << three << "10.0.0.7";
        QTest::newRow("the lowest metric's") << header + eth1 + route("eth0", "00000000", "0003", "20")
                                                    + route("lo", "00000000", "0003", "600") << three << "192.168.0.5";
        QTest::newRow("a route that is down") << header + route("eth1", "00000000", "0002", "0") << three << "192.168.0.5";
        QTest::newRow("no routes") << QByteArray() << Interfaces{three[0], interface("eth0", "192.168.0.5", false), three[2]} << "10.0.0.7";
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
            i ? m_fixture->press("IPrefresh") : m_page->chosen();
            QCOMPARE(m_fixture->field("txtLocalIP")->text(), QStringLiteral("本地IP：") + address);
        }
    }
};

QTEST_MAIN(tst_ToolsPage)
#include "tst_toolspage.moc"
