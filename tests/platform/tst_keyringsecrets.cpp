#include "platform/KeyringSecrets.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLibrary>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

// A real gnome-keyring on a private session bus of this test, which starts nothing by
// itself: before the keyring runs, the bus has no Secret Service.
class tst_KeyringSecrets : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_bus, m_keyring;

    // The store's answer, or a text it never gives when none comes in time.
    template<typename Call>
    static QString answer(Call call)
    {
        std::optional<QString> got;
        QObject receiver;
        call(&receiver, [&got](const QString &text) { got = text; });
        return QTest::qWaitFor([&got] { return got.has_value(); }, 10000) ? *got : QStringLiteral("(no answer)");
    }
    // Why this test cannot go on, or an empty text once program serves.
    static QString start(QProcess &process, const QString &program, const QStringList &arguments, const char *package)
    {
        const QString path = QStandardPaths::findExecutable(program);
        if (path.isEmpty())
            return program + QStringLiteral(" is not installed (Debian package %1)").arg(package);
        process.start(path, arguments);
        return process.waitForStarted() ? QString() : program + QStringLiteral(" did not start: ") + process.errorString();
    }
    static void stop(QProcess &process) { process.terminate(), process.waitForFinished(5000) || (process.kill(), true); }

private slots:
    void initTestCase()
    {
        QFile config(m_dir.filePath("bus.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly)
                && config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
                                               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                                    .arg(m_dir.path()).toUtf8()) > 0);
        config.close();
        if (const QString why = start(m_bus, "dbus-daemon", {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"}, "dbus-daemon"); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(m_bus.waitForReadyRead(10000));
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.readLine().trimmed()); // before anything reaches for the bus
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        QCOMPARE(KeyringSecrets().unavailableReason(), QStringLiteral("没有正在运行的密钥环服务（Secret Service），无法记住密码"));
        for (const char *desktop : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"})
            qunsetenv(desktop); // a KDE session would send QtKeychain to KWallet
        // The password on stdin makes and unlocks a login keyring under the test's XDG_DATA_HOME.
        if (const QString why = start(m_keyring, "gnome-keyring-daemon", {"--foreground", "--components=secrets", "--unlock"}, "gnome-keyring"); !why.isEmpty())
            QSKIP(qPrintable(why));
        m_keyring.write("test password");
        m_keyring.closeWriteChannel();
        if (!QTest::qWaitFor([] { return KeyringSecrets().unavailableReason().isEmpty(); }, 10000))
            QSKIP("gnome-keyring-daemon offers no Secret Service on the test's bus");
    }
    void cleanupTestCase()
    {
        stop(m_keyring);
        // libsecret's GLib connection raises SIGTERM in this process when its bus goes away.
        QLibrary gio(QStringLiteral("gio-2.0"), 0);
        const auto busGet = reinterpret_cast<void *(*)(int, void *, void *)>(gio.resolve("g_bus_get_sync"));
        const auto setExitOnClose = reinterpret_cast<void (*)(void *, int)>(gio.resolve("g_dbus_connection_set_exit_on_close"));
        if (busGet && setExitOnClose)
            setExitOnClose(busGet(2 /* the session bus */, nullptr, nullptr), 0);
        stop(m_bus);
    }

    void keptUntilRemoved_data()
    {
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("expected");
        const QString secret = QStringLiteral("密码：p@ss，word！\"'\\;%s 空格");
        QTest::newRow("Chinese and punctuation") << QStringList{secret} << false << secret;
        QTest::newRow("a second write replaces") << QStringList{secret, QStringLiteral("新的")} << false << "新的";
        QTest::newRow("removed") << QStringList{secret} << true << QString();
    }
    void keptUntilRemoved()
    {
        QFETCH(QStringList, written);
        QFETCH(bool, removed);
        QFETCH(QString, expected);
        const QString key = QStringLiteral("smtp/") + QTest::currentDataTag();
        for (const QString &secret : written)
            QCOMPARE(answer([&](QObject *receiver, auto done) { KeyringSecrets().write(key, secret, receiver, done); }), QString());
        if (removed)
            KeyringSecrets().remove(key);
        const QString got = answer([&](QObject *receiver, auto done) { KeyringSecrets().read(key, receiver, done); });
        QCOMPARE(got, expected);
        QCOMPARE(got.isNull(), expected.isNull());
    }
};

QTEST_GUILESS_MAIN(tst_KeyringSecrets)
#include "tst_keyringsecrets.moc"
