#include "OwnWarnings.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

using Setter = bool (RunningSettings::*)(const QString &, QString *);
using Getter = std::function<QVariant(const RunningSettings &)>;

const std::map<QString, std::pair<Setter, Getter>> Settings = {
    {QStringLiteral("Homepage"), {&RunningSettings::setHomepage, [](auto &s) { return QVariant(s.Homepage()); }}},
    {QStringLiteral("SMTP"), {&RunningSettings::setSmtpServer, [](auto &s) { return QVariant(s.SmtpServer()); }}},
    {QStringLiteral("Username"), {&RunningSettings::setUserName, [](auto &s) { return QVariant(s.UserName()); }}},
    {QStringLiteral("MyEmail"), {&RunningSettings::setMyEmail, [](auto &s) { return QVariant(s.MyEmail()); }}},
    {QStringLiteral("PingTime"), {&RunningSettings::setPingTime, [](auto &s) { return QVariant(s.PingTime()); }}},
    {QStringLiteral("NetStatTime"), {&RunningSettings::setNetStatTime, [](auto &s) { return QVariant(s.NetStatTime()); }}},
    {QStringLiteral("ClickBookmark"), {&RunningSettings::setClickBookmark, [](auto &s) { return QVariant(s.ClickBookmark()); }}},
};

} // namespace

// The settings the program runs with: a change is written first, then heard once.
class tst_RunningSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { failOnOwnWarnings(); }

    void changesAreStoredAndHeardOnce_data()
    {
        QTest::addColumn<QString>("key"); // section/key as the program reads it back
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("held");
        QTest::newRow("home page") << "Settings/Homepage" << "https://example.org/" << QVariant("https://example.org/");
        QTest::newRow("server") << "Email/SMTP" << "mail.example.org" << QVariant("mail.example.org");
        QTest::newRow("name, written as UserName") << "Email/Username" << "张三" << QVariant("张三");
        QTest::newRow("address") << "Email/MyEmail" << "a@b.test" << QVariant("a@b.test");
        QTest::newRow("ping wait") << "Settings/PingTime" << "1500" << QVariant(1500.0);
        QTest::newRow("a wait starting a number") << "Settings/NetStatTime" << "12a" << QVariant(12.0);
        QTest::newRow("an empty wait") << "Settings/PingTime" << "" << QVariant(0.0);
        QTest::newRow("a wait without a number") << "Settings/NetStatTime" << "abc" << QVariant(0.0);
        QTest::newRow("click mode") << "Settings/ClickBookmark" << "1" << QVariant(1);
    }
    void changesAreStoredAndHeardOnce()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QVariant, held);
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("settings")));
        RunningSettings settings(store);
        settings.load();
        const auto &[set, get] = Settings.at(key.section(u'/', 1));
        QList<std::shared_ptr<QSignalSpy>> spies;
        for (const char *signal : {SIGNAL(HomepageChanged(QString)), SIGNAL(SmtpServerChanged(QString)),
                                   SIGNAL(UserNameChanged(QString)), SIGNAL(MyEmailChanged(QString)),
                                   SIGNAL(PingTimeChanged(double)), SIGNAL(NetStatTimeChanged(double)),
                                   SIGNAL(ClickBookmarkChanged(qint32))})
            spies.append(std::make_shared<QSignalSpy>(&settings, signal));
        const auto heard = [&] {
            return std::accumulate(spies.cbegin(), spies.cend(), 0, [](int n, const auto &spy) { return n + spy->count(); });
        };
        QFile blocker(store.folder()); // a file where the folder goes stops root too
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(!(settings.*set)(text, nullptr)); // neither held nor heard
        QVERIFY(blocker.remove());
        QVERIFY(get(settings) != held && heard() == 0);
        QVERIFY((settings.*set)(text, nullptr));
        QCOMPARE(get(settings), held);
        QCOMPARE(heard(), 1);
        QVERIFY((settings.*set)(text, nullptr));
        QCOMPARE(heard(), 1);
        RunningSettings restarted(store);
        restarted.load();
        QCOMPARE(get(restarted), held);
        // Stored as typed, under the key start-up reads.
        QCOMPARE(store.get(AppTitle, key.section(u'/', 0, 0), key.section(u'/', 1), QStringLiteral("-")), text);
    }

    void loadReadsTheStoreAndAbsentWaitsAsDefaults()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.path());
        store.save(SettingKeys::PingTime, QStringLiteral("wide"));
        store.save(SettingKeys::ClickBookmark, QStringLiteral("0.6"));
        store.save(SettingKeys::UserNameWrite, QStringLiteral("李四"));
        RunningSettings settings(store);
        settings.load();
        QCOMPARE(settings.PingTime(), 0.0);
        QCOMPARE(settings.NetStatTime(), 10000.0);
        QCOMPARE(settings.ClickBookmark(), 1);
        QCOMPARE(settings.UserName(), QStringLiteral("李四"));
        QCOMPARE(settings.Homepage(), SettingKeys::Homepage.defaultValue);
    }
};

QTEST_MAIN(tst_RunningSettings)
#include "tst_runningsettings.moc"
