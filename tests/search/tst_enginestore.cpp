#include "ProfileText.h"
#include "search/EngineStore.h"
#include "search/SearchUrl.h"

#include "core/IniFile.h"
#include "TestApp.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class tst_EngineStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void entry_data();
    void entry();
    void index_data();
    void index();
    void group_data();
    void group();
    void missingGroupFileGivesEmptyGroup();
    void missingIndexGivesNothing();
    void repeatedKeyLeavesLaterGroupOut();
    void groupFileSavedAsUtf8();
    void tagJoinsPrefixAndSuffix();
    void shippedData();

private:
    void writeFile(const QString &name, const QStringList &lines);
    void writeIndex(const QStringList &fileLines, const QString &files);
    void writeGroup(const QString &name, const QString &chinese, const QString &english,
                    const QString &number, const QString &marker, const QStringList &entries);

    std::unique_ptr<QTemporaryDir> m_dir;
};

using Names = QStringList;

namespace {

QString repeated(const QString &text, int times)
{
    return text.repeated(times);
}

Names engineNames(const EngineGroup &group)
{
    Names names;
    for (const Engine &engine : group.engines)
        names.append(engine.name);
    return names;
}

} // namespace

void tst_EngineStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// Profile files as the program finds them: GB18030, CR LF.
void tst_EngineStore::writeFile(const QString &name, const QStringList &lines)
{
    QVERIFY(writeProfileLines(m_dir->filePath(name), lines));
}

void tst_EngineStore::writeIndex(const QStringList &fileLines, const QString &files)
{
    writeFile(QStringLiteral("engines.ini"), QStringList{QStringLiteral("[engines]"), QStringLiteral("files=") + files} + fileLines);
}

void tst_EngineStore::writeGroup(const QString &name, const QString &chinese, const QString &english,
                                 const QString &number, const QString &marker, const QStringList &entries)
{
    QStringList lines{QStringLiteral("[main]"), QStringLiteral("ChineseName=") + chinese,
                      QStringLiteral("Englishname=") + english, QStringLiteral("Number=") + number,
                      QStringLiteral("key=") + marker, QStringLiteral("[engine]")};
    lines += entries;
    writeFile(name, lines);
}

void tst_EngineStore::entry_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");

    const QString K = QStringLiteral("{KEY}");
    QTest::newRow("plain") << K << "必应,说明,https://b/s?q={KEY}&x=1" << true << "必应" << "https://b/s?q=" << "&x=1";
    QTest::newRow("empty second field") << K << "A,,http://a/?q={KEY}" << true << "A" << "http://a/?q=" << "";
    QTest::newRow("empty name") << K << ",x,http://a/?q={KEY}" << true << "" << "http://a/?q=" << "";
    QTest::newRow("one comma only") << K << "A,http://a/?q={KEY}" << false << "" << "" << "";
    QTest::newRow("no comma") << K << "A http://a/?q={KEY}" << false << "" << "" << "";
    QTest::newRow("missing marker") << K << "A,x,http://a/?q=" << false << "" << "" << "";
    QTest::newRow("marker wrong case") << K << "A,x,http://a/?q={key}" << false << "" << "" << "";
    QTest::newRow("lower-case marker") << "%s" << "A,x,http://a/?q=%S" << false << "" << "" << "";
    QTest::newRow("marker only before second comma") << K << "A{KEY},{KEY},http://a/" << false << "" << "" << "";
    QTest::newRow("marker in name and template") << K << "{KEY}A,x,http://a/?q={KEY}!" << true << "{KEY}A" << "http://a/?q=" << "!";
    QTest::newRow("marker at start") << K << "A,x,{KEY}.example/" << true << "A" << "" << ".example/";
    QTest::newRow("marker at end") << K << "A,x,http://a/?q={KEY}" << true << "A" << "http://a/?q=" << "";
    QTest::newRow("marker right after comma and at end") << K << "A,x,{KEY}" << true << "A" << "" << "";
    QTest::newRow("marker twice") << K << "A,x,http://a/?q={KEY}&r={KEY}" << true << "A" << "http://a/?q=" << "&r={KEY}";
    QTest::newRow("commas after second comma") << K << "A,x,http://a/?l=1,2&q={KEY},z" << true << "A" << "http://a/?l=1,2&q=" << ",z";
    QTest::newRow("marker of other symbols") << "[q]" << "A,x,http://a/?q=[q]" << true << "A" << "http://a/?q=" << "";
    QTest::newRow("blanks around value trimmed") << K << "  A ,x,http://a/?q={KEY}&y  " << true << "A " << "http://a/?q=" << "&y";
    QTest::newRow("Chinese everywhere") << K << "搜索,中文,http://例子/?查={KEY}完" << true << "搜索" << "http://例子/?查=" << "完";

    // 254 bytes: "A,x," is 4, a 240-byte prefix makes 244, the marker 249; 5 bytes of suffix remain.
    const QString pad240 = repeated(QStringLiteral("p"), 240);
    QTest::newRow("ASCII cut keeps marker, shortens suffix") << K << "A,x," + pad240 + K + "abcdefghij"
                                                             << true << "A" << pad240 << "abcde";
    // With a 246-byte prefix the marker straddles the cut.
    const QString pad246 = repeated(QStringLiteral("p"), 246);
    QTest::newRow("ASCII cut splits marker") << K << "A,x," + pad246 + K + "z" << false << "" << "" << "";
    QTest::newRow("ASCII marker beyond cut") << K << "A,x," + repeated(QStringLiteral("p"), 300) + K << false << "" << "" << "";
    // 120 Chinese characters are 240 bytes, ",," 2, "x" 1, the marker 5: 6 bytes of suffix remain.
    const QString zh120 = repeated(QStringLiteral("中"), 120);
    QTest::newRow("Chinese name, suffix cut") << K << zh120 + ",,x" + K + "abcdefghij" << true << zh120 << "x" << "abcdef";
    const QString zh125 = repeated(QStringLiteral("中"), 125);
    QTest::newRow("Chinese name, marker beyond cut") << K << zh125 + ",,ab" + K << false << "" << "" << "";
    // "a,," 3 + marker 5 = 8; 123 Chinese characters fill the 254 bytes exactly.
    QTest::newRow("Chinese suffix fills the cut") << K << "a,," + K + repeated(QStringLiteral("文"), 130)
                                                  << true << "a" << "" << repeated(QStringLiteral("文"), 123);
    // "ab,," 4 + 5 = 9; a character that would straddle byte 254 is dropped whole.
    QTest::newRow("Chinese suffix straddles the cut") << K << "ab,," + K + repeated(QStringLiteral("文"), 130)
                                                      << true << "ab" << "" << repeated(QStringLiteral("文"), 122);
}

void tst_EngineStore::entry()
{
    QFETCH(QString, marker);
    QFETCH(QString, entry);
    QFETCH(bool, listed);
    writeIndex({QStringLiteral("file 1=\\g.ini")}, QStringLiteral("1"));
    writeGroup(QStringLiteral("g.ini"), QStringLiteral("组"), QStringLiteral("g"), QStringLiteral("2"), marker,
               {QStringLiteral("e 1=") + entry, QStringLiteral("e 2=Z,z,http://z/") + marker});

    const QList<EngineGroup> groups = loadEngineGroups(m_dir->path());
    QCOMPARE(groups.size(), 1);
    const QList<Engine> engines = groups.first().engines;
    // The well-formed neighbour is listed either way.
    QCOMPARE(engines.size(), listed ? 2 : 1);
    QCOMPARE(engines.last().name, QStringLiteral("Z"));
    if (!listed)
        return;
    QTEST(engines.first().name, "name");
    QTEST(engines.first().prefix, "prefix");
    QTEST(engines.first().suffix, "suffix");
}

void tst_EngineStore::index_data()
{
    QTest::addColumn<QString>("files");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("file 1 read") << "1" << QStringList{"file 1=\\a.ini"} << QStringList{"a"};
    QTest::newRow("file1 without blank not read") << "2" << QStringList{"file1=\\a.ini", "file 2=\\b.ini"} << QStringList{"b"};
    QTest::newRow("file 01 not read") << "1" << QStringList{"file 01=\\a.ini"} << QStringList{};
    QTest::newRow("key case ignored") << "1" << QStringList{"FILE 1=\\a.ini"} << QStringList{"a"};
    QTest::newRow("order of keys, not of lines") << "2" << QStringList{"file 2=\\a.ini", "file 1=\\b.ini"} << QStringList{"b", "a"};
    QTest::newRow("files limits the reading") << "1" << QStringList{"file 1=\\a.ini", "file 2=\\b.ini"} << QStringList{"a"};
    QTest::newRow("empty file entry skipped") << "3" << QStringList{"file 1=\\a.ini", "file 2=", "file 3=\\c.ini"} << QStringList{"a", "c"};
    QTest::newRow("files empty") << "" << QStringList{"file 1=\\a.ini"} << QStringList{};
    QTest::newRow("files not a number") << "two" << QStringList{"file 1=\\a.ini"} << QStringList{};
    QTest::newRow("files negative") << "-1" << QStringList{"file 1=\\a.ini"} << QStringList{};
    QTest::newRow("backslash folders") << "1" << QStringList{"file 1=\\sub\\deep\\d.ini"} << QStringList{"d"};
    QTest::newRow("slash folders") << "1" << QStringList{"file 1=/sub/deep/d.ini"} << QStringList{"d"};
}

void tst_EngineStore::index()
{
    QFETCH(QString, files);
    QFETCH(QStringList, lines);
    writeIndex(lines, files);
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        writeGroup(name + QStringLiteral(".ini"), name.toUpper(), name, QStringLiteral("1"), QStringLiteral("%s"),
                   {QStringLiteral("e 1=E,,http://e/%s")});
    writeGroup(QStringLiteral("sub/deep/d.ini"), QStringLiteral("D"), QStringLiteral("d"), QStringLiteral("1"),
               QStringLiteral("%s"), {QStringLiteral("e 1=E,,http://e/%s")});

    QStringList keys;
    for (const EngineGroup &group : loadEngineGroups(m_dir->path())) {
        keys.append(group.key);
        QCOMPARE(group.name, group.key.toUpper());
        QCOMPARE(group.engines.size(), 1);
    }
    QTEST(keys, "keys");
}

void tst_EngineStore::group_data()
{
    QTest::addColumn<QString>("chinese");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("names");

    const QStringList five{"e 1=E1,,u{K}", "e 2=E2,,u{K}", "e 3=E3,,u{K}", "e 4=E4,,u{K}", "e 5=E5,,u{K}"};
    QTest::newRow("all listed") << "组" << "g" << "5" << "{K}" << five << QStringList{"E1", "E2", "E3", "E4", "E5"};
    QStringList gap = five;
    gap[2] = QStringLiteral("e 3=");
    QTest::newRow("empty e 3 does not shift") << "组" << "g" << "5" << "{K}" << gap << QStringList{"E1", "E2", "E4", "E5"};
    QStringList missing = five;
    missing.removeAt(2);
    QTest::newRow("missing e 3 does not shift") << "组" << "g" << "5" << "{K}" << missing << QStringList{"E1", "E2", "E4", "E5"};
    QTest::newRow("Number limits the reading") << "组" << "g" << "2" << "{K}" << five << QStringList{"E1", "E2"};
    QTest::newRow("Number beyond the entries") << "组" << "g" << "7" << "{K}" << five << QStringList{"E1", "E2", "E3", "E4", "E5"};
    QTest::newRow("e1 without blank not read") << "组" << "g" << "2" << "{K}" << QStringList{"e1=E1,,u{K}", "e 2=E2,,u{K}"} << QStringList{"E2"};
    QTest::newRow("empty ChineseName") << "" << "g" << "5" << "{K}" << five << QStringList{};
    QTest::newRow("empty Number") << "组" << "g" << "" << "{K}" << five << QStringList{};
    QTest::newRow("Number not a number") << "组" << "g" << "many" << "{K}" << five << QStringList{};
    QTest::newRow("Number zero") << "组" << "g" << "0" << "{K}" << five << QStringList{};
    QTest::newRow("empty key marker") << "组" << "g" << "5" << "" << five << QStringList{};
    QTest::newRow("empty Englishname") << "组" << "" << "5" << "{K}" << five << QStringList{};
}

void tst_EngineStore::group()
{
    QFETCH(QString, chinese);
    QFETCH(QString, english);
    QFETCH(QString, number);
    QFETCH(QString, marker);
    QFETCH(QStringList, entries);
    writeIndex({QStringLiteral("file 1=\\g.ini")}, QStringLiteral("1"));
    writeGroup(QStringLiteral("g.ini"), chinese, english, number, marker, entries);

    const QList<EngineGroup> groups = loadEngineGroups(m_dir->path());
    // The group itself is always there, engines or not.
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups.first().name, chinese);
    QCOMPARE(groups.first().key, english);
    QTEST(engineNames(groups.first()), "names");
}

void tst_EngineStore::missingGroupFileGivesEmptyGroup()
{
    writeIndex({QStringLiteral("file 1=\\gone.ini"), QStringLiteral("file 2=\\b.ini")}, QStringLiteral("2"));
    writeGroup(QStringLiteral("b.ini"), QStringLiteral("乙"), QStringLiteral("b"), QStringLiteral("1"),
               QStringLiteral("%s"), {QStringLiteral("e 1=E,,u%s")});
    const QList<EngineGroup> groups = loadEngineGroups(m_dir->path());
    QCOMPARE(groups.size(), 2);
    QVERIFY(groups.at(0).name.isEmpty());
    QVERIFY(groups.at(0).key.isEmpty());
    QVERIFY(groups.at(0).engines.isEmpty());
    QCOMPARE(groups.at(1).key, QStringLiteral("b"));
    QCOMPARE(groups.at(1).engines.size(), 1);
}

void tst_EngineStore::missingIndexGivesNothing()
{
    QVERIFY(loadEngineGroups(m_dir->path()).isEmpty());
}

void tst_EngineStore::repeatedKeyLeavesLaterGroupOut()
{
    writeIndex({QStringLiteral("file 1=\\a.ini"), QStringLiteral("file 2=\\b.ini"), QStringLiteral("file 3=\\c.ini")},
               QStringLiteral("3"));
    writeGroup(QStringLiteral("a.ini"), QStringLiteral("甲"), QStringLiteral("same"), QStringLiteral("1"),
               QStringLiteral("%s"), {QStringLiteral("e 1=A,,u%s")});
    writeGroup(QStringLiteral("b.ini"), QStringLiteral("乙"), QStringLiteral("same"), QStringLiteral("1"),
               QStringLiteral("%s"), {QStringLiteral("e 1=B,,u%s")});
    writeGroup(QStringLiteral("c.ini"), QStringLiteral("丙"), QStringLiteral("other"), QStringLiteral("1"),
               QStringLiteral("%s"), {QStringLiteral("e 1=C,,u%s")});
    const QList<EngineGroup> groups = loadEngineGroups(m_dir->path());
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups.at(0).name, QStringLiteral("甲"));
    QCOMPARE(groups.at(1).name, QStringLiteral("丙"));
}

// As a Linux editor leaves it: UTF-8 without a byte-order mark, LF.
void tst_EngineStore::groupFileSavedAsUtf8()
{
    writeIndex({QStringLiteral("file 1=\\g.ini")}, QStringLiteral("1"));
    QFile file(m_dir->filePath(QStringLiteral("g.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[main]\nChineseName=新闻搜索\nEnglishname=news\nNumber=1\nkey={K}\n"
                              "[engine]\ne 1=资讯,,https://n/?q={K}&来源=全部\n").toUtf8());
    file.close();
    const QList<EngineGroup> groups = loadEngineGroups(m_dir->path());
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups.first().name, QStringLiteral("新闻搜索"));
    QCOMPARE(engineNames(groups.first()), Names{QStringLiteral("资讯")});
    QCOMPARE(groups.first().engines.first().suffix, QStringLiteral("&来源=全部"));
}

void tst_EngineStore::tagJoinsPrefixAndSuffix()
{
    const Engine engine{QStringLiteral("N"), QStringLiteral("http://a/?q="), QStringLiteral("&r=1")};
    QCOMPARE(engine.tag(), QStringLiteral("LX=http://a/?q=RX=&r=1"));
    QCOMPARE(Engine().tag(), QStringLiteral("LX=RX="));
}

void tst_EngineStore::shippedData()
{
    copyDataFolder(m_dir->path());
    const QString folder = m_dir->filePath(QStringLiteral("profile"));
    const QList<EngineGroup> groups = loadEngineGroups(folder);
    QVERIFY(groups.size() >= 4);

    const QString index = folder + QStringLiteral("/engines.ini");
    QSet<QString> markers;
    QSet<QString> keys;
    qsizetype total = 0;
    for (int i = 1; i <= groups.size(); ++i) {
        const QString file = folder + ReadINI(index, QStringLiteral("engines"), QStringLiteral("file %1").arg(i)).replace(u'\\', u'/');
        const QString marker = ReadINI(file, QStringLiteral("main"), QStringLiteral("key"));
        const int number = ReadINI(file, QStringLiteral("main"), QStringLiteral("Number")).toInt();
        const EngineGroup &group = groups.at(i - 1);
        QVERIFY2(!group.name.isEmpty() && !marker.isEmpty(), qPrintable(file));
        markers.insert(marker);
        keys.insert(group.key);
        // Every entry is well formed: none is skipped.
        QCOMPARE(group.engines.size(), number);
        for (int j = 1; j <= number; ++j) {
            const QString entry = ReadINI(file, QStringLiteral("engine"), QStringLiteral("e %1").arg(j));
            QVERIFY2(entry.section(u',', 2).contains(marker), qPrintable(entry));
        }
        for (const Engine &engine : group.engines) {
            const QUrl url(composeSearchUrl(engine.tag(), QStringLiteral("Qt 浏览器")), QUrl::StrictMode);
            QVERIFY2(url.isValid() && url.scheme() == QStringLiteral("https") && !url.host().isEmpty(),
                     qPrintable(url.toString()));
            QVERIFY2(!engine.name.isEmpty(), qPrintable(file));
        }
        total += group.engines.size();
    }
    QVERIFY(total >= 15);
    QCOMPARE(keys.size(), groups.size());
    // Each group speaks its own marker.
    QCOMPARE(markers.size(), groups.size());
}

QTEST_GUILESS_MAIN(tst_EngineStore)
#include "tst_enginestore.moc"
