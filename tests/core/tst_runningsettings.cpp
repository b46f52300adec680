#include "OwnWarnings.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const SettingKey Wait{QStringLiteral("Settings"), QStringLiteral("PingTime"), QStringLiteral("5000")};
const SettingKey NameRead{QStringLiteral("Email"), QStringLiteral("Username"), QString()};
const SettingKey NameWrite{QStringLiteral("Email"), QStringLiteral("UserName"), QString()};
const SettingKey Home{QStringLiteral("Settings"), QStringLiteral("Homepage"), QStringLiteral("about:blank")};

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
        // Read as "Username", written as "UserName": one setting.
        m_settings->follow(NameRead, this, [this](const QString &text) { m_heard.append(QStringLiteral("name ") + text); });
        m_settings->follow(Wait, this, [this](const QString &text) { m_heard.append(QStringLiteral("wait ") + text); });
    }

    void aChangeIsStoredThenHeardOnce()
    {
        QFile blocker(m_store->folder());
        QVERIFY(block(blocker));
        QString why;
        QVERIFY(!m_settings->set(NameWrite, QStringLiteral("张三"), &why));
        QVERIFY(why.contains(m_store->fileFor(AppTitle)));
        QVERIFY(blocker.remove());
        QCOMPARE(m_heard, QStringList());
        QCOMPARE(m_settings->text(NameRead), QString());
        QVERIFY(m_settings->set(NameWrite, QStringLiteral("张三")));
        QVERIFY(m_settings->set(NameWrite, QStringLiteral("张三"))); // no change, nothing heard
        QVERIFY(m_settings->set(Home, QStringLiteral("https://example.org/"))); // followed by no one
        QCOMPARE(m_heard, QStringList{QStringLiteral("name 张三")});
        SettingsStore restarted(m_store->folder());
        QCOMPARE(restarted.get(NameRead), QStringLiteral("张三"));
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
            m_settings->set(NameWrite, QStringLiteral("李四"));
            QCOMPARE(m_heard, QStringList());
        }));
        QCOMPARE(m_heard, (QStringList{QStringLiteral("wait 1500"), QStringLiteral("name 李四")}));
    }

    // A number as typed into the options: only an absent key gives the default.
    void typedNumbers_data()
    {
        QTest::addColumn<QString>("stored"); // null: absent
        QTest::addColumn<double>("read");
        QTest::addColumn<double>("number"); // not a number reads as the default
        QTest::newRow("absent") << QString() << 5000.0 << 5000.0;
        QTest::newRow("empty") << "" << 0.0 << 5000.0;
        QTest::newRow("starts a number") << "12a" << 12.0 << 12.0;
        QTest::newRow("no number") << "wide" << 0.0 << 5000.0;
        QTest::newRow("a fraction") << "0.6" << 0.6 << 0.6;
    }
    void typedNumbers()
    {
        QFETCH(QString, stored);
        QFETCH(double, read);
        QFETCH(double, number);
        if (!stored.isNull())
            m_store->save(Wait, stored);
        QCOMPARE(m_settings->typedNumber(Wait), read);
        QCOMPARE(m_settings->number(Wait), number);
    }
};

QTEST_MAIN(tst_RunningSettings)
#include "tst_runningsettings.moc"
