#include "bookmarks/ExportNames.h"

#include <QFile>
#include <QTest>

class tst_ExportNames : public QObject
{
    Q_OBJECT

private slots:
    void safe_data();
    void safe();
    void unique_data();
    void unique();
};

void tst_ExportNames::safe_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("expected");
    const QString url = QStringLiteral(".url");
    const QString emoji = QStringLiteral("😀");
    QTest::newRow("plain") << "新浪 首页" << url << "新浪 首页";
    QTest::newRow("slashes") << "a/b/../c" << url << "a_b_.._c";
    QTest::newRow("nul") << QStringLiteral("a%1b").arg(QChar(0)) << url << "a_b";
    QTest::newRow("empty") << "" << url << "_";
    QTest::newRow("dot folder") << "." << "" << "_";
    QTest::newRow("dot dot folder") << ".." << "" << "_";
    QTest::newRow("three dots") << "..." << "" << "_";
    QTest::newRow("dot dot slash") << "../" << "" << "__";
    QTest::newRow("hidden file") << ".bashrc" << url << "_bashrc";
    QTest::newRow("parent path") << "../x/y" << url << "__x_y";
    QTest::newRow("parent category") << "../上级/分类" << "" << "__上级_分类";
    QTest::newRow("dots inside kept") << "a..b." << url << "a..b.";
    QTest::newRow("space before dot") << " .x" << "" << " .x";
    QTest::newRow("255 ascii folder") << QString(255, u'a') << "" << QString(255, u'a');
    QTest::newRow("256 ascii folder") << QString(256, u'a') << "" << QString(255, u'a');
    QTest::newRow("ascii with suffix") << QString(300, u'a') << url << QString(251, u'a');
    // Three bytes each: 83 fit into 251, the 84th would end at 252.
    QTest::newRow("chinese") << QStringLiteral("中").repeated(100) << url << QStringLiteral("中").repeated(83);
    // Four bytes each: 1 + 4 * 62 = 249, one more pair would end at 253.
    QTest::newRow("surrogate pairs") << u'a' + emoji.repeated(100) << url << u'a' + emoji.repeated(62);
    QTest::newRow("surrogates alone") << (QChar(0xD83D) + QStringLiteral("中") + QChar(0xDE00)).repeated(50) << url
                                      << (QChar(0xD83D) + QStringLiteral("中") + QChar(0xDE00)).repeated(27) + QChar(0xD83D) + "中";
}

void tst_ExportNames::safe()
{
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QFETCH(QString, expected);
    const QString got = ExportNames::safe(name, suffix);
    QCOMPARE(got, expected);
    QVERIFY(QFile::encodeName(got + suffix).size() <= 255);
}

void tst_ExportNames::unique_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");
    const QString url = QStringLiteral(".url");
    QTest::newRow("three equal")
        << url << QStringList{"名称", "名称", "名称"} << QStringList{"名称.url", "名称 (2).url", "名称 (3).url"};
    QTest::newRow("case differs") << url << QStringList{"a", "A"} << QStringList{"a.url", "A.url"};
    QTest::newRow("equal once safe") << url << QStringList{"a/b", "a_b"} << QStringList{"a_b.url", "a_b (2).url"};
    QTest::newRow("empty and dot") << "" << QStringList{"", "."} << QStringList{"_", "_ (2)"};
    QTest::newRow("hidden and plain")
        << url << QStringList{".x", "_x"} << QStringList{"_x.url", "_x (2).url"};
    QTest::newRow("numbered name taken")
        << url << QStringList{"x", "x (2)", "x"} << QStringList{"x.url", "x (2).url", "x (3).url"};
    QTest::newRow("interleaved")
        << "" << QStringList{"a", "b", "a", "b", "a"} << QStringList{"a", "b", "a (2)", "b (2)", "a (3)"};
    const QString longName(300, u'n');
    QTest::newRow("long equal")
        << url << QStringList{longName, longName}
        << QStringList{QString(251, u'n') + url, QString(247, u'n') + QStringLiteral(" (2).url")};
}

void tst_ExportNames::unique()
{
    QFETCH(QString, suffix);
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    ExportNames folder(suffix);
    QStringList got;
    for (const QString &name : names)
        got.append(folder.unique(name));
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(tst_ExportNames)
#include "tst_exportnames.moc"
