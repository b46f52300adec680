#include "OwnWarnings.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "nettools/NetSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Declared as the rooms do, under names no room uses.
const SettingKey Wait = SettingKey::number("Test", "Wait", 5000, 0, 60000);
const SettingKey Name = SettingKey::text("Test", "UserName");
const SettingKey Home = SettingKey::text("Test", "Homepage", QStringLiteral("about:blank"));
const SettingKey Shown = SettingKey::onOff("Test", "Shown", true);

} // namespace

// The settings the program runs with: a change is written first, then heard once, by
// those who follow its key.
class tst_RunningSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<RunningSettings> m_settings;
    QStringList m_heard;

    // A file where the folder goes stops every write, root's too.
    bool block(QFile &blocker) { return blocker.open(QIODevice::WriteOnly); }

private slots:
    void initTestCase() { failOnOwnWarnings(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("settings")));
        m_settings = std::make_unique<RunningSettings>(*m_store);
        m_heard.clear();
        m_settings->follow(Name, this, [this](const QString &text) { m_heard.append(QStringLiteral("name ") + text); });
        m_settings->follow(Wait, this, [this](const QString &text) { m_heard.append(QStringLiteral("wait ") + text); });
    }

    void aChangeIsStoredThenHeardOnce()
    {
        QFile blocker(m_store->folder());
        QVERIFY(block(blocker));
        QString why;
        QVERIFY(!m_settings->set(Name, QStringLiteral("张三"), &why));
        QVERIFY(why.contains(m_store->fileFor(AppTitle)));
        QVERIFY(blocker.remove());
        QCOMPARE(m_heard, QStringList());
        QCOMPARE(m_settings->text(Name), QString());
        QVERIFY(m_settings->set(Name, QStringLiteral("张三")));
        QVERIFY(m_settings->set(Name, QStringLiteral("张三"))); // no change, nothing heard
        QVERIFY(m_settings->set(Home, QStringLiteral("https://example.org/"))); // followed by no one
        QCOMPARE(m_heard, QStringList{QStringLiteral("name 张三")});
        SettingsStore restarted(m_store->folder());
        QCOMPARE(restarted.get(Name), QStringLiteral("张三"));
    }

    // One write for the lot; heard only once it is written, and not at all when it is not.
    void aTransactionIsHeardOnlyOnceWritten()
    {
        QFile blocker(m_store->folder());
        QVERIFY(block(blocker));
        QString why;
        QVERIFY(!m_settings->transaction([this] { m_settings->set(Wait, QStringLiteral("9")); }, &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(blocker.remove());
        QVERIFY(m_settings->transaction([this] {
            m_settings->set(Wait, QStringLiteral("1500"));
            m_settings->set(Name, QStringLiteral("李四"));
            QCOMPARE(m_heard, QStringList());
        }));
        QCOMPARE(m_heard, (QStringList{QStringLiteral("wait 1500"), QStringLiteral("name 李四")}));
    }

    // One reading of a number: no number at all reads as the default, and one out of
    // range is held to it. A switch is on at 1 alone.
    void readByTheDeclaration_data()
    {
        QTest::addColumn<QString>("stored"); // null: absent
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("on");
        QTest::newRow("absent") << QString() << 5000 << true;
        QTest::newRow("empty") << "" << 5000 << true;
        QTest::newRow("starts a number") << "12a" << 12 << false;
        QTest::newRow("no number") << "wide" << 5000 << true;
        QTest::newRow("a fraction") << "1.6" << 1 << false;
        QTest::newRow("one") << " 1" << 1 << true;
        QTest::newRow("beyond the range") << "1e12" << 60000 << false;
        QTest::newRow("below it") << "-5" << 0 << false;
    }
    void readByTheDeclaration()
    {
        QFETCH(QString, stored);
        QFETCH(int, number);
        QFETCH(bool, on);
        if (!stored.isNull()) {
            m_store->save(Wait, stored);
            m_store->save(Shown, stored);
        }
        QCOMPARE(m_settings->numberOrDefault(Wait), number);
        QCOMPARE(m_settings->isOn(Shown), on);
    }

    // A switch goes to the file as "1" or "0"; a second declaration of a stored name is refused.
    void writtenAsDeclared()
    {
        QVERIFY(m_settings->setOn(Shown, false) && m_settings->setNumber(Wait, 1500));
        QFile file(m_store->fileFor(AppTitle));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Test]\nShown=0\nWait=1500\n"));
        QVERIFY(!SettingKey::claim(NetSettings::PingTime.section.toLower(), NetSettings::PingTime.key.toUpper()));
        QVERIFY(SettingKey::claim(QStringLiteral("Test"), QStringLiteral("Unclaimed")));
    }
};

QTEST_MAIN(tst_RunningSettings)
#include "tst_runningsettings.moc"
