#include "platform/KeyringSecrets.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDirIterator>
#include <QLibrary>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

// A real gnome-keyring on a private session bus of this test, whose configuration lets
// nothing start by itself: before the keyring runs, the bus has no Secret Service.
class tst_KeyringSecrets : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_reasonWithoutService;
    QString m_reasonWhenActivatable;

    static void stop(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        QSignalSpy ended(&process, &QProcess::finished);
        if (!ended.wait(5000))
            process.kill();
        QTRY_COMPARE(process.state(), QProcess::NotRunning);
    }
    // The bus daemon takes its configuration again, and with it the services it can start.
    static bool reloadBus()
    {
        const QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ReloadConfig"));
        return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
    }
    QString activationFile() const { return m_dir.filePath(QStringLiteral("services/org.freedesktop.secrets.service")); }
    // What the store answers; a text no store gives when it did not answer in time.
    template<typename Call>
    static QString answer(Call call)
    {
        std::optional<QString> got;
        QObject receiver;
        call(&receiver, [&got](const QString &text) { got = text; });
        if (!QTest::qWaitFor([&got] { return got.has_value(); }, 10000))
            return QStringLiteral("(no answer within 10 s)");
        return *got;
    }
    static QString kept(const QString &key)
    {
        return answer([&key](QObject *receiver, auto done) { KeyringSecrets().read(key, receiver, done); });
    }
    static QString keep(const QString &key, const QString &secret)
    {
        return answer([&](QObject *receiver, auto done) { KeyringSecrets().write(key, secret, receiver, done); });
    }

    // Each answers why this test cannot go on, or an empty text once its daemon serves.
    QString startBus(const QString &config)
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return QStringLiteral("dbus-daemon is not installed (Debian package dbus-daemon): no private session bus");
        m_bus.start(daemon, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                             QStringLiteral("--print-address=1")});
        QSignalSpy printed(&m_bus, &QProcess::readyReadStandardOutput);
        if (!m_bus.waitForStarted() || !printed.wait(10000))
            return QStringLiteral("dbus-daemon did not start a bus: ") + m_bus.errorString() + QLatin1Char(' ')
                + QString::fromLocal8Bit(m_bus.readAllStandardError());
        // Before anything reaches for the session bus, so that it is this one.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.readLine().trimmed());
        return QDBusConnection::sessionBus().isConnected() ? QString() : QStringLiteral("the private bus takes no connection");
    }
    QString startKeyring()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
        if (daemon.isEmpty())
            return QStringLiteral("gnome-keyring-daemon is not installed (Debian package gnome-keyring): no Secret Service");
        // Its keyring files go under this test's XDG_DATA_HOME; the password on stdin
        // makes and unlocks the login keyring, so that no prompt is needed.
        m_keyring.start(daemon, {QStringLiteral("--foreground"), QStringLiteral("--components=secrets"),
                                 QStringLiteral("--unlock")});
        if (!m_keyring.waitForStarted())
            return QStringLiteral("gnome-keyring-daemon did not start: ") + m_keyring.errorString();
        m_keyring.write("test password");
        m_keyring.closeWriteChannel();
        const auto serving = [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets")).value();
        };
        if (!QTest::qWaitFor(serving, 10000))
            return QStringLiteral("gnome-keyring-daemon offers no Secret Service: ")
                + QString::fromLocal8Bit(m_keyring.readAllStandardError());
        return {};
    }
    // A bus that starts nothing by itself, except what this test puts in its service folder.
    QString writeBusConfig() const
    {
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        if (!QDir(m_dir.path()).mkpath(QStringLiteral("services")) || !config.open(QIODevice::WriteOnly))
            return {};
        config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                    "<auth>EXTERNAL</auth><servicedir>%1/services</servicedir>"
                                    "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                         .arg(m_dir.path()).toUtf8());
        return config.fileName();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char *desktop : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"})
            qunsetenv(desktop); // a KDE session would send QtKeychain to KWallet instead
        const QString config = writeBusConfig();
        QVERIFY(!config.isEmpty());
        if (const QString why = startBus(config); !why.isEmpty())
            QSKIP(qPrintable(why));
        m_reasonWithoutService = KeyringSecrets().unavailableReason();
        QFile activation(activationFile());
        QVERIFY(activation.open(QIODevice::WriteOnly));
        activation.write("[D-BUS Service]\nName=org.freedesktop.secrets\nExec=/bin/false\n");
        activation.close();
        QVERIFY(reloadBus());
        m_reasonWhenActivatable = KeyringSecrets().unavailableReason();
        QVERIFY(activation.remove());
        QVERIFY(reloadBus());
        if (const QString why = startKeyring(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }
    void cleanupTestCase()
    {
        stop(m_keyring);
        // libsecret talks through GLib's shared session connection, which raises SIGTERM
        // in this process when its bus goes away; here the bus going away is the plan.
        QLibrary gio(QStringLiteral("gio-2.0"), 0);
        using BusGet = void *(*)(int type, void *cancellable, void *error);
        using SetExitOnClose = void (*)(void *connection, int exit);
        const auto busGet = reinterpret_cast<BusGet>(gio.resolve("g_bus_get_sync"));
        const auto setExitOnClose = reinterpret_cast<SetExitOnClose>(gio.resolve("g_dbus_connection_set_exit_on_close"));
        if (busGet && setExitOnClose)
            setExitOnClose(busGet(2 /* G_BUS_TYPE_SESSION */, nullptr, nullptr), 0);
        stop(m_bus);
    }

    void reasonFollowsTheSecretService_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none on the bus") << m_reasonWithoutService
                                         << QStringLiteral("没有正在运行的密钥环服务（Secret Service），无法记住密码");
        QTest::newRow("one the bus can start") << m_reasonWhenActivatable << QString();
        QTest::newRow("keyring running") << KeyringSecrets().unavailableReason() << QString();
    }
    void reasonFollowsTheSecretService()
    {
        QFETCH(QString, reason);
        QFETCH(QString, expected);
        QCOMPARE(reason, expected);
    }

    void keptUntilRemoved_data()
    {
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("expected");
        const QString secret = QStringLiteral("密码：p@ss，word！\"'\\;%s 空格");
        QTest::newRow("Chinese and punctuation") << QStringList{secret} << false << secret;
        QTest::newRow("second write replaces") << QStringList{secret, QStringLiteral("新的")} << false
                                               << QStringLiteral("新的");
        QTest::newRow("removed") << QStringList{secret} << true << QString();
        QTest::newRow("never written") << QStringList() << false << QString();
    }
    void keptUntilRemoved()
    {
        QFETCH(QStringList, written);
        QFETCH(bool, removed);
        QFETCH(QString, expected);
        const QString key = QStringLiteral("smtp/") + QString::fromUtf8(QTest::currentDataTag());
        for (const QString &secret : written)
            QCOMPARE(keep(key, secret), QString());
        if (removed)
            KeyringSecrets().remove(key);
        const QString got = kept(key);
        QCOMPARE(got, expected);
        QCOMPARE(got.isNull(), expected.isNull());
    }

    void noFileHoldsTheSecret()
    {
        // Its ASCII part would show through any escaping a settings file does.
        const QByteArray marker("Kq7f3a9cZw");
        const QString secret = QStringLiteral("只在密钥环里") + QString::fromLatin1(marker);
        QCOMPARE(keep(QStringLiteral("smtp/files"), secret), QString());
        QCOMPARE(kept(QStringLiteral("smtp/files")), secret);
        int files = 0;
        for (const QString &root : {QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                                    QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)}) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QByteArray bytes = file.readAll();
                QVERIFY2(!bytes.contains(secret.toUtf8()) && !bytes.contains(marker),
                         qPrintable(file.fileName()));
                ++files;
            }
        }
        QVERIFY2(files > 0, "the keyring wrote no file where this test looks");
    }

    void aGoneReceiverIsNotCalled()
    {
        bool called = false;
        {
            QObject receiver;
            KeyringSecrets().read(QStringLiteral("smtp/gone"), &receiver, [&called](const QString &) { called = true; });
        }
        // Jobs run one after another: once a later one answers, the first has finished.
        QVERIFY(kept(QStringLiteral("smtp/later")).isNull());
        QVERIFY(!called);
    }
};

QTEST_GUILESS_MAIN(tst_KeyringSecrets)
#include "tst_keyringsecrets.moc"
