#include "OwnWarnings.h"
#include "ProfileText.h"
#include "core/IniFile.h"
#include "linktools/LinkToolStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// linktools.ini, without any window.
class tst_LinkToolStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file() const { return m_dir.filePath(QStringLiteral("linktools.ini")); }
    QStringList shown() const
    {
        QStringList tools;
        for (const LinkTool &tool : LinkToolStore(m_dir.path()).tools())
            tools.append(QStringLiteral("%1|%2|%3").arg(tool.number).arg(tool.title, tool.path));
        return tools;
    }

private slots:
    void initTestCase() { failOnOwnWarnings(); }
    void init() { QFile::remove(file()); }

    void toolsFromTheFile_data()
    {
        QTest::addColumn<QStringList>("lines"); // empty: no file
        QTest::addColumn<QStringList>("tools");
        QTest::newRow("no file") << QStringList() << QStringList();
        QTest::newRow("a deleted entry is a gap") << QStringList{"[main]", "number=3", "[program]", "p 1=终端,/usr/bin/xterm",
                                                                 "p 2=", "P 3=计算器,/usr/bin/gnome calc,x"}
                                                  << QStringList{"1|终端|/usr/bin/xterm", "3|计算器|/usr/bin/gnome calc,x"};
        QTest::newRow("past number") << QStringList{"[main]", "number=1", "[program]", "p 1=a,/a", "p 2=b,/b"}
                                     << QStringList{"1|a|/a", "2|b|/b"};
        QTest::newRow("no number, keys in any order") << QStringList{"[program]", "p 200000=b,/b", "p 3=a,/a", "p 03=x,/x"}
                                                      << QStringList{"3|a|/a", "200000|b|/b"};
        QTest::newRow("a number that leads text") << QStringList{"[main]", "number=2x", "[program]", "p 2=b,/b"}
                                                  << QStringList{"2|b|/b"};
        QTest::newRow("no path, no comma") << QStringList{"[main]", "number=2", "[program]", "p 1=b,", "p 2=c"} << QStringList();
        QTest::newRow("no title: the program's name")
            << QStringList{"[program]", "p 1=,/usr/bin/xterm", "p 2=  ,/opt/tool/"} << QStringList{"1|xterm|/usr/bin/xterm", "2|/opt/tool/|/opt/tool/"};
    }
    void toolsFromTheFile()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, tools);
        if (!lines.isEmpty())
            QVERIFY(writeProfileLines(file(), lines));
        QCOMPARE(shown(), tools);
    }

    // Two adds go above every entry and every sane "number", so none is written over.
    void addsGoAboveEveryEntry_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("numbers"); // of the two added, then "number"
        const QStringList entries{"[program]", "p 1=a,/a", "p 2=", "p 3=c,/c"};
        QTest::newRow("no number") << entries << "4 5 5";
        QTest::newRow("a low number") << QStringList{"[main]", "number=1"} + entries << "4 5 5";
        QTest::newRow("a higher number") << QStringList{"[main]", "number=7"} + entries << "8 9 9";
        QTest::newRow("number at the limit") << QStringList{"[main]", "number=100000"} + entries << "100001 100002 100002";
        QTest::newRow("a huge number") << QStringList{"[main]", "number=1e12"} + entries << "4 5 5";
        QTest::newRow("not a number") << QStringList{"[main]", "number=x"} + entries << "4 5 5";
    }
    void addsGoAboveEveryEntry()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, numbers);
        QVERIFY(writeProfileLines(file(), lines));
        LinkToolStore store(m_dir.path());
        QVERIFY(store.add(QStringLiteral("新"), QStringLiteral("/new")));
        QVERIFY(store.add(QStringLiteral("又"), QStringLiteral("/again")));
        const QStringList n = numbers.split(u' ');
        QCOMPARE(shown(), (QStringList{"1|a|/a", "3|c|/c", n[0] + "|新|/new", n[1] + "|又|/again"}));
        QCOMPARE(ReadINI(file(), "main", "number"), n[2]);
    }

    // An entry that a read would cut, or one without a title, is refused before anything is written.
    void refusedEntriesStoreNothing_data()
    {
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QString>("title");
        const QString bytes255 = u'a' + QString(114, u'名'); // with ",/usr/bin/gnome-calculator"
        QTest::newRow("add, 255 bytes") << false << bytes255;
        QTest::newRow("rename, 255 bytes") << true << bytes255;
        QTest::newRow("add, no title") << false << "";
        QTest::newRow("rename, blanks") << true << " \t　";
    }
    void refusedEntriesStoreNothing()
    {
        QFETCH(bool, rename);
        QFETCH(QString, title);
        QVERIFY(writeProfileLines(file(), {"[main]", "number=1", "[program]", "p 1=计算器,/usr/bin/gnome-calculator"}));
        LinkToolStore store(m_dir.path());
        QVERIFY(!(rename ? store.setTitle(1, title) : store.add(title, QStringLiteral("/usr/bin/gnome-calculator"))));
        QCOMPARE(store.lastError(), LinkToolStore::refusal(title, QStringLiteral("/usr/bin/gnome-calculator")));
        QVERIFY(!store.lastError().isEmpty());
        QCOMPARE(shown(), QStringList{"1|计算器|/usr/bin/gnome-calculator"});
        QCOMPARE(ReadINI(file(), "main", "number"), QStringLiteral("1"));
    }

    // Numbers only grow; a title keeps its program, and a comma in it stays in the title.
    void changesKeepNumbersAndPaths()
    {
        QVERIFY(writeProfileLines(file(), {"[main]", "number=3", "[program]", "p 1=a,/a", "p 2=", "p 3=c,/c"}));
        LinkToolStore store(m_dir.path());
        QVERIFY(store.add(QStringLiteral("新,工具"), QStringLiteral("/usr/bin/new tool")));
        QCOMPARE(ReadINI(file(), "main", "number"), QStringLiteral("4"));
        QVERIFY(store.setTitle(3, QStringLiteral("改,名")));
        QVERIFY(store.remove(1));
        QCOMPARE(shown(), (QStringList{"3|改，名|/c", "4|新，工具|/usr/bin/new tool"}));
        QCOMPARE(ReadINI(file(), "program", "p 1", "-"), QString());
    }
};

QTEST_MAIN(tst_LinkToolStore)
#include "tst_linktoolstore.moc"
