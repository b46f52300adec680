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
        QTest::newRow("no title: the program's name; no path, no comma")
            << QStringList{"[program]", "p 1=,/usr/bin/xterm", "p 2=b,", "p 3=c"} << QStringList{"1|xterm|/usr/bin/xterm"};
    }
    void toolsFromTheFile()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, tools);
        if (!lines.isEmpty())
            QVERIFY(writeProfileLines(file(), lines));
        QCOMPARE(shown(), tools);
    }

    // An add goes above every entry whatever "number" says, so none is written over.
    void addGoesAboveEveryEntry_data()
    {
        QTest::addColumn<QString>("number"); // null: none
        QTest::newRow("none") << QString();
        QTest::newRow("low") << "1";
        QTest::newRow("at the limit") << "100000";
        QTest::newRow("huge") << "1e12";
    }
    void addGoesAboveEveryEntry()
    {
        QFETCH(QString, number);
        const QStringList entries{"[program]", "p 1=a,/a", "p 2=", "p 100001=d,/d"};
        QVERIFY(writeProfileLines(file(), number.isNull() ? entries : QStringList{"[main]", "number=" + number} + entries));
        QVERIFY(LinkToolStore(m_dir.path()).add(QStringLiteral("新"), QStringLiteral("/new")));
        QCOMPARE(shown(), (QStringList{"1|a|/a", "100001|d|/d", "100002|新|/new"}));
        QCOMPARE(ReadINI(file(), "main", "number"), QStringLiteral("100002"));
    }

    // "number" is read as every profile count: a whole number, else 0.
    void addFollowsTheCount_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("added");
        QTest::newRow("whole") << " 5 " << "6";
        QTest::newRow("a number that leads text") << "5x" << "2";
    }
    void addFollowsTheCount()
    {
        QFETCH(QString, number);
        QVERIFY(writeProfileLines(file(), {"[main]", "number=" + number, "[program]", "p 1=a,/a"}));
        QVERIFY(LinkToolStore(m_dir.path()).add(QStringLiteral("新"), QStringLiteral("/new")));
        QTEST(ReadINI(file(), "main", "number"), "added");
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
