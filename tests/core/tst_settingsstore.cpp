#include "core/BrowseFolder.h"
#include "core/IniFile.h"
#include "core/SettingsStore.h"

#include "ScriptedPrompts.h"

#include "bookmarks/BookmarkSettings.h"
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class tst_SettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip();
    void absentGivesDefault();
    void keyAndSectionIgnoreCase();
    void applicationIgnoresCase();
    void valuesAreVerbatim_data();
    void valuesAreVerbatim();
    void fileIsPlainIniUnderXdgConfig();
    void shellWrittenFileIsRead();
    void keepsOtherLines();
    void readOnceWrittenOncePerBatch();
    void failedBatchLeavesWhatTheFileHolds();
    void number_data();
    void number();
    void leadingNumber_data();
    void leadingNumber();
    void browseFolderCancel();
    void browseFolderChosen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath(QStringLiteral("store")); }
    QByteArray readRaw(const QString &file) const;
};

void tst_SettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray tst_SettingsStore::readRaw(const QString &file) const
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void tst_SettingsStore::roundTrip()
{
    SettingsStore store(folder());
    store.save("Vantorel", "Settings", "Homepage", "https://example.org/");
    store.save("Vantorel", "Email", "UserName", "张三");
    QCOMPARE(store.get("Vantorel", "Settings", "Homepage"), QString("https://example.org/"));
    QCOMPARE(store.get("Vantorel", "Email", "UserName"), QString("张三"));
    SettingsStore again(folder());
    QCOMPARE(again.get("Vantorel", "Email", "UserName"), QString("张三"));
    store.save("Vantorel", "Email", "UserName", "李四");
    QCOMPARE(SettingsStore(folder()).get("Vantorel", "Email", "UserName"), QString("李四"));
}

void tst_SettingsStore::absentGivesDefault()
{
    SettingsStore store(folder());
    QCOMPARE(store.get("Vantorel", "Settings", "MainLeft", "1000"), QString("1000"));
    QVERIFY(store.get("Vantorel", "Settings", "MainLeft").isEmpty());
    store.save("Vantorel", "Settings", "ClickBookmark", "");
    QCOMPARE(store.get("Vantorel", "Settings", "ClickBookmark", "1"), QString(""));
    QCOMPARE(store.get("Vantorel", "Other", "ClickBookmark", "1"), QString("1"));
    QVERIFY(store.contains(BookmarkSettings::ClickBookmark, "Vantorel"));
    QVERIFY(!store.contains(SettingKeys::MainLeft, "Vantorel"));
}

void tst_SettingsStore::keyAndSectionIgnoreCase()
{
    SettingsStore store(folder());
    store.save("Vantorel", "Email", "UserName", "name");
    QCOMPARE(store.get("Vantorel", "EMAIL", "Username"), QString("name"));
    store.save("Vantorel", "Options", "Showtips", "1");
    store.save("Vantorel", "options", "ShowTips", "0");
    QCOMPARE(store.get("Vantorel", "Options", "Showtips"), QString("0"));
    const QByteArray raw = readRaw(store.folder() + "/vantorel.ini");
    QCOMPARE(raw.count("howtips="), 1);
    QCOMPARE(raw.count("[Options]"), 1);
    QVERIFY(!raw.contains("[options]"));
}

void tst_SettingsStore::applicationIgnoresCase()
{
    SettingsStore store(folder());
    store.save("VANTOREL", "Options", "ShowTips", "1");
    QCOMPARE(store.get("vantorel", "options", "showtips"), QString("1"));
    QCOMPARE(store.get("Other", "Options", "ShowTips", "none"), QString("none"));
    QCOMPARE(QDir(store.folder()).entryList(QDir::Files), QStringList{"vantorel.ini"});
}

void tst_SettingsStore::valuesAreVerbatim_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("backslashes") << "C:\\Documents and Settings\\Favorites";
    QTest::newRow("commas and quotes") << "a, b, \"c\"";
    QTest::newRow("percent and at") << "@Variant(%20)";
    QTest::newRow("semicolon") << "x;y";
    QTest::newRow("long") << QString(1000, u'v');
    QTest::newRow("equals") << "k=v=w";
}

void tst_SettingsStore::valuesAreVerbatim()
{
    QFETCH(QString, value);
    SettingsStore store(folder());
    store.save("Vantorel", "Settings", "Value", value);
    QCOMPARE(store.get("Vantorel", "Settings", "Value"), value);
    QCOMPARE(readRaw(store.folder() + "/vantorel.ini"), "[Settings]\nValue=" + value.toUtf8() + "\n");
}

void tst_SettingsStore::fileIsPlainIniUnderXdgConfig()
{
    SettingsStore store;
    const QString expected =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Vantorel";
    QCOMPARE(store.folder(), expected);
    QVERIFY(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
    QCOMPARE(store.folder(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/Vantorel");
    store.save("Vantorel", "Settings", "PingTime", "5000");
    store.save("Vantorel", "Email", "SMTP", "邮件.example");
    QCOMPARE(readRaw(expected + "/vantorel.ini"),
             QByteArray("[Settings]\nPingTime=5000\n[Email]\nSMTP=") + QString("邮件.example").toUtf8() + "\n");
    QFile::remove(expected + "/vantorel.ini");
}

void tst_SettingsStore::shellWrittenFileIsRead()
{
    QVERIFY(QDir().mkpath(folder()));
    QFile f(folder() + "/vantorel.ini");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF[Options]\nShowTips=0\n[Settings]\r\nListWidth = 3360 \r\n");
    f.close();
    SettingsStore store(folder());
    QCOMPARE(store.get("Vantorel", "Options", "Showtips", "1"), QString("0"));
    QCOMPARE(store.get("Vantorel", "Settings", "ListWidth"), QString("3360"));
}

void tst_SettingsStore::keepsOtherLines()
{
    QVERIFY(QDir().mkpath(folder()));
    QFile f(folder() + "/vantorel.ini");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("# written by hand\n[Settings]\nMainLeft=10\n\n[Email]\nSMTP=mail\n");
    f.close();
    SettingsStore store(folder());
    store.save("Vantorel", "Settings", "MainTop", "20");
    QCOMPARE(readRaw(f.fileName()),
             QByteArray("# written by hand\n[Settings]\nMainLeft=10\nMainTop=20\n\n[Email]\nSMTP=mail\n"));
}

// Served from memory once read; a write still keeps what another program wrote meanwhile.
void tst_SettingsStore::readOnceWrittenOncePerBatch()
{
    SettingsStore store(folder());
    QVERIFY(store.save("Vantorel", "Settings", "Homepage", "a"));
    QFile f(folder() + "/vantorel.ini");
    QVERIFY(f.open(QIODevice::Append));
    f.write("[Email]\nSMTP=theirs\n");
    f.close();
    QCOMPARE(store.get("Vantorel", "Email", "SMTP", "unread"), QString("unread"));

    const quint64 before = IniFile::writes();
    store.begin();
    store.save("Vantorel", "Settings", "Homepage", "b");
    store.save("Vantorel", "Settings", "PingTime", "300");
    QCOMPARE(store.get("Vantorel", "Settings", "Homepage"), QString("b"));
    QVERIFY(store.commit());
    QCOMPARE(IniFile::writes(), before + 1);
    QCOMPARE(readRaw(f.fileName()), QByteArray("[Settings]\nHomepage=b\nPingTime=300\n[Email]\nSMTP=theirs\n"));
    QCOMPARE(store.get("Vantorel", "Email", "SMTP"), QString("theirs"));
}

void tst_SettingsStore::failedBatchLeavesWhatTheFileHolds()
{
    SettingsStore store(folder());
    QVERIFY(store.save("Vantorel", "Settings", "Homepage", "kept"));
    QVERIFY(QFile::rename(folder(), folder() + ".away"));
    QVERIFY(QFile(folder()).open(QIODevice::WriteOnly)); // a file where the folder goes
    store.begin();
    store.save("Vantorel", "Settings", "Homepage", "lost");
    QString why;
    QVERIFY(!store.commit(&why));
    QVERIFY2(why.startsWith(QDir::toNativeSeparators(store.fileFor("Vantorel"))), qPrintable(why));
    QVERIFY(QFile::remove(folder()));
    QVERIFY(QFile::rename(folder() + ".away", folder()));
    QCOMPARE(store.get("Vantorel", "Settings", "Homepage"), QString("kept"));
}

void tst_SettingsStore::number_data()
{
    QTest::addColumn<QString>("stored"); // a null text means absent
    QTest::addColumn<double>("expected");
    QTest::newRow("absent") << QString() << 42.0;
    QTest::newRow("empty") << "" << 42.0;
    QTest::newRow("text") << "abc" << 42.0;
    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("negative") << "-15" << -15.0;
    QTest::newRow("fraction") << "3360.5" << 3360.5;
    QTest::newRow("leading number") << "5000ms" << 5000.0;
}

void tst_SettingsStore::number()
{
    QFETCH(QString, stored);
    QFETCH(double, expected);
    SettingsStore store(folder());
    if (!stored.isNull())
        store.save("Vantorel", "Settings", "PingTime", stored);
    QCOMPARE(store.number("Vantorel", "settings", "pingtime", 42.0), expected);
}

void tst_SettingsStore::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "12" << true << 12.0;
    QTest::newRow("trailing text") << "12abc" << true << 12.0;
    QTest::newRow("blanks") << " 3.5 " << true << 3.5;
    QTest::newRow("tab") << "\t7" << true << 7.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("exponent sign") << "2.5E-1x" << true << 0.25;
    QTest::newRow("dangling exponent") << "4e" << true << 4.0;
    QTest::newRow("dot first") << ".5" << true << 0.5;
    QTest::newRow("dot last") << "5." << true << 5.0;
    QTest::newRow("sign") << "-8" << true << -8.0;
    QTest::newRow("plus") << "+9" << true << 9.0;
    QTest::newRow("second number ignored") << "1.2.3" << true << 1.2;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("only blanks") << "   " << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("dot only") << "." << false << 0.0;
    QTest::newRow("exponent only") << "e5" << false << 0.0;
    QTest::newRow("fullwidth digit") << "１２" << false << 0.0;
}

void tst_SettingsStore::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, expected);
    const std::optional<double> got = ::leadingNumber(text);
    QCOMPARE(got.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*got, expected);
}

void tst_SettingsStore::browseFolderCancel()
{
    ScriptedPrompts prompts;
    prompts.answerFile(QString());
    QCOMPARE(BrowseFolder(prompts, nullptr, "请选择你的IE收藏夹位置"), QString(""));
    QCOMPARE(prompts.asked, QStringList{"请选择你的IE收藏夹位置"});
}

void tst_SettingsStore::browseFolderChosen()
{
    ScriptedPrompts prompts;
    prompts.answerFile(m_dir->path());
    QCOMPARE(BrowseFolder(prompts, nullptr, "请选择你的IE收藏夹位置"), m_dir->path());
    QCOMPARE(prompts.asked, QStringList{"请选择你的IE收藏夹位置"});
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
