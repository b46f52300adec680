#include "ProfileText.h"
#include "bookmarks/BookmarkStore.h"

#include "core/IniFile.h"
#include "core/ProfileKeys.h"
#include "TestApp.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <iostream>


using Result = BookmarkStore::CreateResult;

// What each of two writer processes adds, and to how many categories it makes.
constexpr int WriterAdds = 300;
constexpr int WriterCategories = 50;

class tst_BookmarkStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void index_data();
    void index();
    void category_data();
    void category();
    void getBookmarkFileDoesNotFilter();
    void edit_data();
    void edit();
    void move_data();
    void move();
    void createCategory_data();
    void createCategory();
    void damagedIndex_data();
    void damagedIndex();
    void importComparesAddressesAsBrowsers_data();
    void importComparesAddressesAsBrowsers();
    void charactersBeyondGbk();
    void importNameBeyondGbk();
    void categorySavedAsUtf8();
    void twoWritersLoseNothing_data();
    void twoWritersLoseNothing();
    void writeVisibleToNextRead();
    void shippedData();

private:
    QString file(const QString &rel) const { return m_dir->filePath(QStringLiteral("profile/") + rel); }
    void write(const QString &rel, const QStringList &lines);
    void writeCategory(const QString &rel, const QString &name, const QString &number, const QStringList &entries);
    QString raw(const QString &rel) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<BookmarkStore> m_store;
};

namespace {

// "N|name|address" for each entry.
QStringList describe(const QList<BookmarkEntry> &entries)
{
    QStringList text;
    for (const BookmarkEntry &e : entries)
        text.append(QString::number(e.number) + u'|' + e.name + u'|' + e.address);
    return text;
}

QStringList names(const QList<BookmarkCategory> &categories)
{
    QStringList text;
    for (const BookmarkCategory &c : categories)
        text.append(c.name);
    return text;
}

} // namespace

void tst_BookmarkStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("profile/sub/deep")));
    m_store = std::make_unique<BookmarkStore>(m_dir->filePath(QStringLiteral("profile")));
}

void tst_BookmarkStore::write(const QString &rel, const QStringList &lines)
{
    QVERIFY(writeProfileLines(file(rel), lines));
}

void tst_BookmarkStore::writeCategory(const QString &rel, const QString &name, const QString &number,
                                      const QStringList &entries)
{
    write(rel, QStringList{"[main]", "chinesename=" + name, "number=" + number, "[bookmarks]"} + entries);
}

QString tst_BookmarkStore::raw(const QString &rel) const
{
    QFile in(file(rel));
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    QStringDecoder gbk("GBK");
    return gbk.decode(in.readAll());
}

void tst_BookmarkStore::index_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shown"); // index:name
    QTest::newRow("in key order") << QStringList{"files=2", "file 2=\\b.txt", "file 1=\\a.txt"} << QStringList{"1:甲", "2:乙"};
    QTest::newRow("files 3, entry 2 absent") << QStringList{"files=3", "file 1=\\a.txt", "file 3=\\c.txt"} << QStringList{"1:甲", "3:丙"};
    QTest::newRow("empty entry") << QStringList{"files=2", "file 1=", "file 2=\\b.txt"} << QStringList{"2:乙"};
    QTest::newRow("missing file") << QStringList{"files=2", "file 1=\\gone.txt", "file 2=\\b.txt"} << QStringList{"2:乙"};
    QTest::newRow("same name: first shown") << QStringList{"files=3", "file 1=\\e.txt", "file 2=\\a.txt", "file 3=\\b.txt"}
                                            << QStringList{"1:甲", "3:乙"};
    QTest::newRow("file1 never read") << QStringList{"files=2", "file1=\\a.txt", "file 2=\\b.txt"} << QStringList{"2:乙"};
    QTest::newRow("file 01 never read") << QStringList{"files=1", "file 01=\\a.txt"} << QStringList{};
    QTest::newRow("files limits") << QStringList{"files=1", "file 1=\\a.txt", "file 2=\\b.txt"} << QStringList{"1:甲"};
    QTest::newRow("files with blank") << QStringList{"files= 2", "file 1=\\a.txt", "file 2=\\b.txt"} << QStringList{"1:甲", "2:乙"};
    QTest::newRow("files not a number") << QStringList{"files=x", "file 1=\\a.txt"} << QStringList{};
    QTest::newRow("absurd files") << QStringList{"files=100000000000", "file 1=\\a.txt"} << QStringList{};
    QTest::newRow("backslashes") << QStringList{"files=1", "file 1=\\sub\\deep\\d.txt"} << QStringList{"1:丁"};
    QTest::newRow("slashes") << QStringList{"files=1", "file 1=/sub/deep/d.txt"} << QStringList{"1:丁"};
    QTest::newRow("no leading separator") << QStringList{"files=1", "file 1=sub\\deep\\d.txt"} << QStringList{"1:丁"};
}

void tst_BookmarkStore::index()
{
    QFETCH(QStringList, lines);
    write("bookmark.ini", QStringList{"[bookmark]"} + lines);
    const QStringList all{"a.txt", "b.txt", "c.txt", "sub/deep/d.txt", "e.txt"};
    for (int i = 0; i < all.size(); ++i)
        writeCategory(all.at(i), QString("甲乙丙丁甲").at(i), "1", {"bk 1=n,http://x/" + all.at(i)});
    QStringList shown;
    for (const BookmarkCategory &c : m_store->categories()) {
        shown.append(QString::number(c.index) + u':' + c.name);
        QVERIFY(c.entries().first().address.endsWith(QFileInfo(c.path).fileName()));
        QCOMPARE(m_store->GetBookmarkFile(c.index), c.name + u',' + c.path);
    }
    QTEST(shown, "shown");
}

void tst_BookmarkStore::category_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("entries"); // "-" alone: not shown
    const QString longAddress = "https://example.com/" + QString(300, u'p');
    QTest::newRow("gaps") << "甲" << "5" << QStringList{"bk 1=a,u1", "bk 2=", "bk 3=c,u3", "bk 4=", "bk 5=e,u5"}
                          << QStringList{"1|a|u1", "3|c|u3", "5|e|u5"};
    QTest::newRow("number with blank") << "甲" << " 2" << QStringList{"bk 1=a,u1", "bk 2=b,u2"} << QStringList{"1|a|u1", "2|b|u2"};
    QTest::newRow("number limits") << "甲" << "1" << QStringList{"bk 1=a,u1", "bk 2=b,u2"} << QStringList{"1|a|u1"};
    QTest::newRow("number 0") << "甲" << "0" << QStringList{"bk 1=a,u1"} << QStringList{};
    QTest::newRow("number not a number") << "甲" << "many" << QStringList{"bk 1=a,u1"} << QStringList{};
    QTest::newRow("absurd number") << "甲" << "2000000000" << QStringList{"bk 7=a,u7"} << QStringList{"7|a|u7"};
    QTest::newRow("bk1 never read") << "甲" << "2" << QStringList{"bk1=a,u1", "bk 2=b,u2", "bk 02=c,u"} << QStringList{"2|b|u2"};
    QTest::newRow("key case and order") << "甲" << "2" << QStringList{"BK 2=b,u2", "bk 1=a,u1"} << QStringList{"1|a|u1", "2|b|u2"};
    QTest::newRow("first of a repeated key") << "甲" << "2" << QStringList{"bk 2=b,u2", "bk 1=", "BK 1=a,u1", "bk 2=x,y"}
                                             << QStringList{"2|b|u2"};
    QTest::newRow("repeated section unread") << "甲" << "2" << QStringList{"bk 1=a,u1", "[Bookmarks]", "bk 2=b,u2"}
                                             << QStringList{"1|a|u1"};
    QTest::newRow("no comma skipped") << "甲" << "2" << QStringList{"bk 1=plain", "bk 2=b,u2"} << QStringList{"2|b|u2"};
    QTest::newRow("commas in address") << "甲" << "1" << QStringList{"bk 1=名, https://a/?x=1,2,3 "}
                                       << QStringList{"1|名| https://a/?x=1,2,3"};
    QTest::newRow("read whole past 254 bytes") << "甲" << "1" << QStringList{"bk 1=长名字长名字," + longAddress}
                                               << QStringList{"1|长名字长名字|" + longAddress};
    QTest::newRow("empty name") << "" << "1" << QStringList{"bk 1=a,u1"} << QStringList{"-"};
    QTest::newRow("empty number") << "甲" << "" << QStringList{"bk 1=a,u1"} << QStringList{"-"};
}

void tst_BookmarkStore::category()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, entries);
    write("bookmark.ini", {"[bookmark]", "files=1", "file 1=\\c.txt"});
    writeCategory("c.txt", name, number, lines);
    const QList<BookmarkCategory> categories = m_store->categories();
    if (entries == QStringList{"-"}) {
        QVERIFY(categories.isEmpty());
        return;
    }
    QCOMPARE(categories.size(), 1);
    QCOMPARE(describe(categories.first().entries()), entries);
    QCOMPARE(categories.first().number, m_store->highWater(file("c.txt")));
    for (const BookmarkEntry &e : categories.first().entries())
        QCOMPARE(describe({*m_store->entry(file("c.txt"), e.number)}), describe({e}));
}

void tst_BookmarkStore::getBookmarkFileDoesNotFilter()
{
    write("bookmark.ini", {"[bookmark]", "files=3", "file 1=\\a.txt", "file 2=\\sub/old.txt", "file 3=\\gone.txt"});
    writeCategory("a.txt", "甲", "0", {});
    writeCategory("sub/old.txt", "", "4", {"bk 1=a,u"});
    const QStringList expected{"甲," + file("a.txt"), "," + file("sub/old.txt"), "," + file("gone.txt")};
    QCOMPARE(m_store->fileCount(), 3);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(m_store->GetBookmarkFile(i), expected.at(i - 1));
    QCOMPARE(names(m_store->categories()), QStringList{"甲"});
}

void tst_BookmarkStore::edit_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("writes");
    QTest::addColumn<QStringList>("after"); // the lines after "[main]"
    const QString zh = "chinesename=甲";
    const QStringList entries{"[bookmarks]", "bk 1=a,u", "bk 3=", "bk 5=e,u"};
    QTest::newRow("add above the high water") << "add" << " 7" << QStringList{"新,名", "https://a/?x=1,2"} << 8 << 1
                                              << QStringList{zh, "number= 8"} + entries + QStringList{"bk 8=新，名,https://a/?x=1,2"};
    QTest::newRow("add without number") << "add" << "" << QStringList{"新", "u"} << 1 << 1
                                        << QStringList{zh, "number= 1", "[bookmarks]", "bk 1=新,u", "bk 3=", "bk 5=e,u"};
    QTest::newRow("add past the last number") << "add" << "999999999" << QStringList{"新", "u"} << 0 << 0
                                              << QStringList{zh, "number=999999999"} + entries;
    QTest::newRow("write beyond the high water") << "write" << "8" << QStringList{"5", "20", "新,名", "u,v"} << -1 << 1
                                                 << QStringList{zh, "number=20", "[bookmarks]", "bk 1=a,u", "bk 3=", "bk 5=", "bk 20=新，名,u,v"};
    QTest::newRow("write below it") << "write" << " 8" << QStringList{"5", "3", "新", "u"} << -1 << 1
                                    << QStringList{zh, "number= 8", "[bookmarks]", "bk 1=a,u", "bk 3=新,u", "bk 5="};
    QTest::newRow("write in place") << "write" << "8" << QStringList{"5", "5", "新", "u"} << -1 << 1
                                    << QStringList{zh, "number=8", "[bookmarks]", "bk 1=a,u", "bk 3=", "bk 5=新,u"};
    QTest::newRow("clear") << "clear" << "5" << QStringList{"1"} << -1 << 1
                           << QStringList{zh, "number=5", "[bookmarks]", "bk 1=", "bk 3=", "bk 5=e,u"};
    QTest::newRow("rename") << "rename" << "5" << QStringList{"新,名"} << -1 << 1 << QStringList{"chinesename=新，名", "number=5"} + entries;
    QTest::newRow("retire") << "rename" << "5" << QStringList{""} << -1 << 1 << QStringList{"chinesename=", "number=5"} + entries;
    QTest::newRow("append once") << "append" << " 5" << QStringList{"a,1", "https://a/", "", "x", "b", "u,2", "y", " ", "c", "v"}
                                 << 3 << 1 << QStringList{zh, "number=8"} + entries + QStringList{"bk 6=a，1,https://a/", "bk 7=b,u,2", "bk 8=c,v"};
    QTest::newRow("append nothing") << "append" << "5" << QStringList{"", "x"} << 0 << 0 << QStringList{zh, "number=5"} + entries;
}

void tst_BookmarkStore::edit()
{
    QFETCH(QString, op);
    QFETCH(QString, number);
    QFETCH(QStringList, args);
    QFETCH(int, writes);
    QFETCH(QStringList, after);
    writeCategory("c.txt", "甲", number, {"bk 1=a,u", "bk 3=", "bk 5=e,u"});
    const quint64 before = IniFile::writes();
    const QString path = file("c.txt");
    int result = -1;
    if (op == "add")
        result = m_store->addBookmark(path, args.at(0), args.at(1));
    else if (op == "write")
        m_store->writeBookmark(path, args.at(0).toInt(), args.at(1).toInt(), args.at(2), args.at(3));
    else if (op == "clear")
        m_store->clearBookmark(path, args.at(0).toInt());
    else if (op == "rename")
        m_store->renameCategory(path, args.at(0));
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; op == "append" && i + 1 < args.size(); i += 2)
        pairs.append({args.at(i), args.at(i + 1)});
    if (op == "append")
        result = m_store->appendBookmarks(path, pairs).added;
    QTEST(result, "result");
    QCOMPARE(IniFile::writes() - before, quint64(writes));
    QCOMPARE(raw("c.txt"), (QStringList{"[main]"} + after).join("\r\n") + "\r\n");
}

void tst_BookmarkStore::move_data()
{
    QTest::addColumn<QString>("targetNumber");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("line");
    QTest::newRow("above the target's number") << " 4" << "名,字" << "https://m/" << 5 << "bk 5=名，字,https://m/";
    QTest::newRow("target without number") << "" << "名" << "https://m/" << 1 << "bk 1=名,https://m/";
    QTest::newRow("nothing to carry") << "4" << "" << "" << 5 << "bk 5=";
}

void tst_BookmarkStore::move()
{
    QFETCH(QString, targetNumber);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(int, added);
    QFETCH(QString, line);
    writeCategory("a.txt", "甲", "3", {"bk 1=a,u", "bk 2=b,u", "bk 3=c,u"});
    writeCategory("b.txt", "乙", targetNumber, {"bk 2=x,u"});
    QCOMPARE(m_store->moveBookmark(file("a.txt"), 2, file("b.txt"), name, address), added);
    QVERIFY(raw("a.txt").endsWith("number=3\r\n[bookmarks]\r\nbk 1=a,u\r\nbk 2=\r\nbk 3=c,u\r\n"));
    QVERIFY(raw("b.txt").contains(QStringLiteral("\r\nnumber=%1\r\n").arg(added)));
    QVERIFY(raw("b.txt").endsWith("\r\n" + line + "\r\n"));
}

void tst_BookmarkStore::createCategory_data()
{
    QTest::addColumn<QString>("rel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Result>("result");
    QTest::addColumn<QString>("location");
    QTest::newRow("new file") << "new.bookmark.txt" << "新类" << Result::Created << "\\new.bookmark.txt";
    QTest::newRow("subfolder") << "sub/deep/x.bookmark.txt" << "新类" << Result::Created << "\\sub\\deep\\x.bookmark.txt";
    QTest::newRow("up and back in") << "sub/../y.bookmark.txt" << "新类" << Result::Created << "\\y.bookmark.txt";
    QTest::newRow("retired file") << "old.bookmark.txt" << "复活" << Result::LiveFile << "";
    QTest::newRow("listed, file gone") << "gone.bookmark.txt" << "新类" << Result::LiveFile << "";
    QTest::newRow("comma in name") << "new.bookmark.txt" << "a,b" << Result::Created << "\\new.bookmark.txt";
    QTest::newRow("parent") << "../x.bookmark.txt" << "新类" << Result::OutsideFolder << "";
    QTest::newRow("sibling sharing the prefix") << "../profile2/x.bookmark.txt" << "新类" << Result::OutsideFolder << "";
    QTest::newRow("symlinked folder") << "link/x.bookmark.txt" << "新类" << Result::OutsideFolder << "";
    QTest::newRow("symlinked file") << "filelink.bookmark.txt" << "新类" << Result::OutsideFolder << "";
    QTest::newRow("dangling link") << "dangling.bookmark.txt" << "新类" << Result::OutsideFolder << "";
    QTest::newRow("missing folder") << "nosuch/x.bookmark.txt" << "新类" << Result::OutsideFolder << "";
    QTest::newRow("the folder itself") << "." << "新类" << Result::OutsideFolder << "";
    QTest::newRow("live file") << "live.bookmark.txt" << "新类" << Result::LiveFile << "";
    QTest::newRow("the index") << "bookmark.ini" << "新类" << Result::LiveFile << "";
    QTest::newRow("name taken") << "new.bookmark.txt" << "甲" << Result::NameTaken << "";
    QTest::newRow("name taken as stored") << "new.bookmark.txt" << "x,y" << Result::NameTaken << "";
}

void tst_BookmarkStore::createCategory()
{
    QFETCH(QString, rel);
    QFETCH(QString, name);
    QFETCH(Result, result);
    QFETCH(QString, location);
    const QDir top(m_dir->path());
    QVERIFY(top.mkpath("outside") && top.mkpath("profile2"));
    QVERIFY(QFile(top.filePath("outside/t.txt")).open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(top.filePath("outside"), file("link")));
    QVERIFY(QFile::link(top.filePath("outside/t.txt"), file("filelink.bookmark.txt")));
    QVERIFY(QFile::link(top.filePath("outside/none.txt"), file("dangling.bookmark.txt")));
    writeCategory("live.bookmark.txt", "甲", "0", {});
    writeCategory("old.bookmark.txt", "", "3", {"bk 1=a,u"});
    writeCategory("x.bookmark.txt", "x，y", "0", {});
    write("bookmark.ini", {"[bookmark]", "files= 4", "file 1=\\live.bookmark.txt", "file 2=\\old.bookmark.txt",
                           "file 3=\\x.bookmark.txt", "file 4=\\gone.bookmark.txt"});
    const QString index = raw("bookmark.ini");

    QCOMPARE(m_store->createCategory(file(rel), name), result);
    if (result != Result::Created) {
        QCOMPARE(raw("bookmark.ini"), index);
        QCOMPARE(top.entryList(QDir::Files), QStringList{});
        QCOMPARE(QDir(top.filePath("outside")).entryList(QDir::Files), QStringList{"t.txt"});
        QCOMPARE(QFileInfo(top.filePath("outside/t.txt")).size(), 0);
        QVERIFY(QDir(top.filePath("profile2")).isEmpty() && !QFile::exists(file("nosuch")));
        QVERIFY(raw("live.bookmark.txt").contains("=甲\r\n") && raw("old.bookmark.txt").contains("bk 1=a,u"));
        QVERIFY(!QFile::exists(file("gone.bookmark.txt")));
        return;
    }
    QCOMPARE(raw("bookmark.ini"), QString(index).replace("files= 4", "files= 5") + "file 5=" + location + "\r\n");
    const QString stored = ProfileKeys::storedTitle(name);
    QVERIFY(raw(location.mid(1).replace(u'\\', u'/')).startsWith("[main]\r\nchinesename=" + stored + "\r\nnumber=0\r\n"));
    QVERIFY(names(m_store->categories()).contains(stored));
}

// Damaged: nothing is written over it. Whole: a new category is listed.
void tst_BookmarkStore::damagedIndex_data()
{
    QTest::addColumn<QByteArray>("listing"); // after "[bookmark]"
    QTest::addColumn<bool>("damaged");
    QTest::newRow("whole") << QByteArray("files= 2\r\nfile 1=\\a.bookmark.txt\r\nfile 2=/b.bookmark.txt\r\n") << false;
    QTest::newRow("last line without its end") << QByteArray("files=2\r\nfile 1=\\a.bookmark.txt\r\nfile 2=\\c.txt") << false;
    QTest::newRow("deleted category file") << QByteArray("files=2\r\nfile 1=\\gone.bookmark.txt\r\nfile 2=\\c.txt\r\n") << false;
    QTest::newRow("GBK name") << QByteArray("files=1\r\nfile 1=\\\xBC\xD7.bookmark.txt\r\n") << false;
    QTest::newRow("cut mid-line") << QByteArray("files= 4\r\nfile 1=\\a.bookmark.txt\r\nfile 2=\\bookmarks\\news.book") << true;
    QTest::newRow("count above the entries") << QByteArray("files= 4\r\nfile 1=\\a.bookmark.txt\r\nfile 2=\\b.bookmark.txt\r\n") << false;
    QTest::newRow("gap") << QByteArray("files=3\r\nfile 1=\\a.bookmark.txt\r\nfile 3=\\c.txt\r\n") << false;
    QTest::newRow("entry above the count") << QByteArray("files=1\r\nfile 1=\\a.bookmark.txt\r\nfile 2=\\c.txt\r\n") << false;
    QTest::newRow("empty entry") << QByteArray("files=2\r\nfile 1=\r\nfile 2=\\c.txt\r\n") << false;
    QTest::newRow("names a folder") << QByteArray("files=1\r\nfile 1=\\sub\r\n") << true;
    QTest::newRow("names no file") << QByteArray("files=1\r\nfile 1=\\gone.txt\r\n") << true;
    QTest::newRow("undecodable") << QByteArray("files=1\r\nfile 1=\\a\xFF\xFF.bookmark.txt\r\n") << true;
    QTest::newRow("cut in a character") << QByteArray("files=1\r\nfile 1=\\c.txt\r\n\xBC") << true;
}

void tst_BookmarkStore::damagedIndex()
{
    QFETCH(QByteArray, listing);
    QFETCH(bool, damaged);
    for (const char *name : {"a.bookmark.txt", "b.bookmark.txt", "c.txt", "甲.bookmark.txt"})
        writeCategory(name, name, "0", {});
    QFile index(file("bookmark.ini"));
    QVERIFY(index.open(QIODevice::WriteOnly) && index.write("[bookmark]\r\n" + listing) > 0);
    index.close();
    QCOMPARE(m_store->indexDamaged(), damaged);
    QCOMPARE(m_store->createCategory(file("new.bookmark.txt"), "新"), damaged ? Result::Failed : Result::Created);
    QVERIFY(index.open(QIODevice::ReadOnly));
    QCOMPARE(index.readAll() == "[bookmark]\r\n" + listing, damaged);
    // Another copy rebuilds and lists a category; the rebuild offered here before stands aside.
    BookmarkStore other(m_store->folder());
    QVERIFY(!damaged || (other.rebuildIndex() && other.createCategory(file("new.bookmark.txt"), "新") == Result::Created));
    QVERIFY(m_store->rebuildIndex() && names(m_store->categories()).contains("新"));
    QFile kept(file("bookmark.ini.damaged"));
    QCOMPARE(kept.open(QIODevice::ReadOnly) && kept.readAll() == "[bookmark]\r\n" + listing, damaged);
}

void tst_BookmarkStore::importComparesAddressesAsBrowsers_data()
{
    QTest::addColumn<QString>("held"); // the stored entry
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("added");
    const QString encoded = "http://127.0.0.1:9/%E8%B7%AF%E5%BE%84?q=%E4%B8%AD%E6%96%87";
    QTest::newRow("comes back encoded") << "路径,http://127.0.0.1:9/路径?q=中文" << "路径" << encoded << 0;
    QTest::newRow("comes back decoded") << "路径," + encoded << "路径" << "http://127.0.0.1:9/路径?q=中文" << 0;
    QTest::newRow("host in capitals") << "a,HTTP://Example.COM/x" << "a" << "http://example.com/x" << 0;
    QTest::newRow("punycode host") << "a,http://中文.cn/" << "a" << "http://xn--fiq228c.cn/" << 0;
    QTest::newRow("empty path") << "a,https://e.cn" << "a" << "https://e.cn/" << 0;
    QTest::newRow("default port") << "a,http://e.cn:80/" << "a" << "http://e.cn/" << 0;
    QTest::newRow("other title") << "Qt,http://e.cn/" << "qt" << "http://e.cn/" << 1;
    QTest::newRow("title as stored") << "a，b,http://e.cn/" << "a,b" << "http://e.cn/" << 0;
}

// Offered twice: the second is always the same bookmark as the first.
void tst_BookmarkStore::importComparesAddressesAsBrowsers()
{
    QFETCH(QString, held);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(int, added);
    writeCategory("c.txt", "甲", "1", {"bk 1=" + held});
    const BookmarkStore::Imported result = m_store->appendBookmarks(file("c.txt"), {{name, address}, {name, address}});
    QCOMPARE(result.added, added);
    QCOMPARE(result.skipped, 2 - added);
    QCOMPARE(m_store->highWater(file("c.txt")), 1 + added);
}

void tst_BookmarkStore::charactersBeyondGbk()
{
    write("bookmark.ini", {"[bookmark]", "files=1", "file 1=\\c.txt"});
    writeCategory("c.txt", "甲", "0", {});
    const QString name = QStringLiteral("图片测试 😀 表情");
    QCOMPARE(m_store->addBookmark(file("c.txt"), name, "https://e/"), 1);
    QCOMPARE(describe(m_store->categories().first().entries()), QStringList{"1|" + name + "|https://e/"});
}

// The category file is named after the folder; the index must name that very file.
void tst_BookmarkStore::importNameBeyondGbk()
{
    write("bookmark.ini", {"[bookmark]", "files=0"});
    const QString name = QStringLiteral("😀表情收藏");
    QCOMPARE(m_store->importCategories({{name, {{"a", "https://a/"}}}}).added, 1);
    const QList<BookmarkCategory> categories = m_store->categories();
    QCOMPARE(names(categories), QStringList{name});
    const QString real = file("bookmarks/" + name + ".bookmark.txt");
    QVERIFY(QFile::exists(real));
    QCOMPARE(categories.first().path, real);
    QCOMPARE(m_store->GetBookmarkFile(1), name + u',' + real);
}

// As a Linux editor leaves it: UTF-8 without a byte-order mark, LF; it stays UTF-8.
void tst_BookmarkStore::categorySavedAsUtf8()
{
    write("bookmark.ini", {"[bookmark]", "files=1", "file 1=\\c.txt"});
    QFile out(file("c.txt"));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QStringLiteral("[main]\nchinesename=新闻资讯\nnumber=1\n[bookmarks]\nbk 1=新闻,https://n/\n").toUtf8());
    out.close();
    QCOMPARE(names(m_store->categories()), QStringList{"新闻资讯"});
    QCOMPARE(m_store->addBookmark(file("c.txt"), "资讯", "https://z/"), 2);
    QFile in(file("c.txt"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), QStringLiteral("[main]\r\nchinesename=新闻资讯\r\nnumber= 2\r\n[bookmarks]\r\n"
                                          "bk 1=新闻,https://n/\r\nbk 2=资讯,https://z/\r\n").toUtf8());
    QCOMPARE(describe(m_store->categories().first().entries()), (QStringList{"1|新闻|https://n/", "2|资讯|https://z/"}));
}

// Two running copies of the program, each a process of its own, add to the same
// categories at once: one that is there, ten both make from the dialog, ten both import.
void tst_BookmarkStore::twoWritersLoseNothing_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("add") << "add";
    QTest::newRow("made from the dialog") << "create";
    QTest::newRow("made by imports") << "import";
}

void tst_BookmarkStore::twoWritersLoseNothing()
{
    QFETCH(QString, mode);
    writeCategory("c.txt", "甲", "0", {});
    write("bookmark.ini", {"[bookmark]", "files=1", "file 1=\\c.txt"});
    QList<QProcess *> writers;
    for (const QString &who : {QStringLiteral("甲"), QStringLiteral("乙")}) {
        auto *writer = new QProcess(this);
        writer->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write"), mode, m_dir->filePath("profile"), who});
        writers.append(writer);
    }
    for (QProcess *writer : writers) // both at once, for the races to happen
        QVERIFY(writer->waitForStarted() && writer->write("go\n") == 3 && writer->waitForBytesWritten());
    for (QProcess *writer : writers) {
        QVERIFY(writer->waitForFinished(120000));
        QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
    }
    const QList<BookmarkCategory> categories = m_store->categories();
    const qsizetype made = mode == "add" ? 0 : WriterCategories;
    QVERIFY2(!m_store->indexDamaged() && m_store->fileCount() == 1 + made, qPrintable(raw("bookmark.ini")));
    QCOMPARE(categories.size(), 1 + made);
    for (const BookmarkCategory &category : categories.mid(made ? 1 : 0)) {
        QSet<QString> seen;
        for (const BookmarkEntry &e : category.entries())
            seen.insert(e.name);
        QCOMPARE(seen.size(), 2 * WriterAdds / (made ? made : 1));
        QCOMPARE(category.number, seen.size());
    }
}

void tst_BookmarkStore::writeVisibleToNextRead()
{
    write("bookmark.ini", {"[bookmark]", "files=1", "file 1=\\c.txt"});
    writeCategory("c.txt", "甲", "1", {"bk 1=a,u"});
    QCOMPARE(m_store->categories().first().entries().size(), 1);
    m_store->addBookmark(file("c.txt"), "b", "u");
    QCOMPARE(m_store->categories().first().entries().size(), 2);
    // Another instance writes behind this store's back.
    WriteINI(file("c.txt"), "bookmarks", "bk 1", QString());
    WriteINI(file("c.txt"), "main", "chinesename", "乙");
    QCOMPARE(names(m_store->categories()), QStringList{"乙"});
    QCOMPARE(describe(m_store->categories().first().entries()), QStringList{"2|b|u"});
}

void tst_BookmarkStore::shippedData()
{
    copyDataFolder(m_dir->filePath("shipped"));
    const BookmarkStore shipped(m_dir->filePath("shipped/profile"));
    const QList<BookmarkCategory> categories = shipped.categories();
    QVERIFY(categories.size() >= 3);
    QCOMPARE(categories.size(), shipped.fileCount());
    int total = 0;
    for (const BookmarkCategory &c : categories) {
        QFile in(c.path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY2(c.name.at(0).unicode() > 0x2e80 && c.number == c.entries().size(), qPrintable(c.name));
        for (const BookmarkEntry &e : c.entries()) {
            const QUrl url(e.address, QUrl::StrictMode);
            QVERIFY2(url.isValid() && url.scheme() == "https" && !url.host().isEmpty() && !e.name.isEmpty(),
                     qPrintable(e.address));
        }
        total += c.entries().size();
    }
    QVERIFY(total >= 25);
}

// Started as "--write mode folder who", the program is one more writer. It starts
// when told to, and adds to one category, or makes ten in turn and adds to each.
int writeBookmarks(const QString &mode, const QString &folder, const QString &who)
{
    std::string go;
    std::getline(std::cin, go);
    BookmarkStore store(folder);
    QString file = folder + QStringLiteral("/c.txt");
    for (int i = 0; i < WriterAdds; ++i) {
        const QString category = QStringLiteral("共享%1").arg(i / (WriterAdds / WriterCategories));
        if (mode == QLatin1String("create") && i % (WriterAdds / WriterCategories) == 0) {
            const Result made = store.createCategory(folder + u'/' + category + QStringLiteral(".bookmark.txt"), category);
            if (made == Result::Failed || made == Result::OutsideFolder)
                return 2;
            for (const BookmarkCategory &shown : store.categories())
                file = shown.name == category ? shown.path : file;
        }
        const QString name = who + QString::number(i);
        const bool added = mode == QLatin1String("import")
            ? store.importCategories({{category, {{name, QStringLiteral("https://a/") + name}}}}).added == 1
            : store.addBookmark(file, name, QStringLiteral("https://a/")) > 0;
        if (!added) {
            qWarning() << "cannot add" << name << store.lastError();
            return 1;
        }
    }
    return 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--write"))
        return writeBookmarks(args.at(2), args.at(3), args.at(4));
    tst_BookmarkStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bookmarkstore.moc"
