#include "bookmarks/HtmlEntities.h"
#include "bookmarks/NetscapeBookmarks.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

class tst_NetscapeBookmarks : public QObject
{
    Q_OBJECT

private slots:
    void entities_data();
    void entities();
    void read_data();
    void read();
    void charset_data();
    void charset();
    void writesTheCommonShape();
    void roundTrip();
    void unwritablePathFails();
};

namespace {

// One "category|name|address|added" line per bookmark, in file order.
QStringList flatten(const QList<ExchangeCategory> &categories)
{
    QStringList lines;
    for (const ExchangeCategory &category : categories) {
        for (const ExchangeBookmark &bookmark : category.bookmarks)
            lines.append(QStringList{category.name, bookmark.name, bookmark.address, QString::number(bookmark.added)}
                             .join(u'|'));
    }
    return lines;
}

QStringList categoryNames(const QList<ExchangeCategory> &categories)
{
    QStringList names;
    for (const ExchangeCategory &category : categories)
        names.append(category.name);
    return names;
}

QByteArray readRaw(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char FirefoxExport[] = R"(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!-- This is an automatically generated file.
     It will be read and overwritten.
     DO NOT EDIT! -->
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<meta http-equiv="Content-Security-Policy"
      content="default-src 'self'; script-src 'none'; img-src data: *; object-src 'none'"></meta>
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>

<DL><p>
    <DT><A HREF="place:parent=menu________&queryType=1&sort=12&maxResults=10&excludeQueries=1" ADD_DATE="1700000000" LAST_MODIFIED="1700000001">最近使用的书签</A>
    <DT><A HREF="https://www.mozilla.org/zh-CN/" ADD_DATE="1700000100" LAST_MODIFIED="1700000101" ICON_URI="https://www.mozilla.org/favicon.ico" ICON="data:image/png;base64,iVBORw0KGgo=">Mozilla &amp; 朋友</A>
    <DD>A description with <b>markup</b>
    <DT><H3 ADD_DATE="1700000200" LAST_MODIFIED="1700000201">Mozilla Firefox</H3>
    <DD>The folder&#39;s description
    <DL><p>
        <DT><A HREF="https://support.mozilla.org/" ADD_DATE="1700000300" LAST_MODIFIED="1700000301" SHORTCUTURL="help" TAGS="a,b">获取帮助</A>
        <DT><H3 ADD_DATE="1700000310" LAST_MODIFIED="1700000311">深层</H3>
        <DL><p>
            <DT><A HREF="https://deep.example/?a=1&amp;b=2" ADD_DATE="1700000320">Deep &lt;one&gt;</A>
        </DL><p>
        <DT><A HREF="https://www.mozilla.org/about/" ADD_DATE="1700000330">关于</A>
    </DL><p>
    <HR>    <DT><H3 ADD_DATE="1700000400" LAST_MODIFIED="1700000401" PERSONAL_TOOLBAR_FOLDER="true">Bookmarks Toolbar</H3>
    <DL><p>
        <DT><A HREF="https://www.example.cn/" ADD_DATE="1700000500" LAST_MODIFIED="1700000501">示例</A>
    </DL><p>
    <DT><H3 ADD_DATE="1700000600" LAST_MODIFIED="1700000601" UNFILED_BOOKMARKS_FOLDER="true">Other Bookmarks</H3>
    <DL><p>
    </DL><p>
</DL>
)";

const char ChromiumExport[] = R"(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!-- This is an automatically generated file.
     It will be read and overwritten.
     DO NOT EDIT! -->
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks</H1>
<DL><p>
    <DT><H3 ADD_DATE="1700000000" LAST_MODIFIED="1700000050" PERSONAL_TOOLBAR_FOLDER="true">Bookmarks bar</H3>
    <DL><p>
        <DT><A HREF="https://www.baidu.com/" ADD_DATE="1700000010" ICON="data:image/png;base64,AAAA">百度一下，你就知道</A>
        <DT><H3 ADD_DATE="1700000020" LAST_MODIFIED="0">新闻</H3>
        <DL><p>
            <DT><A HREF="https://news.sina.com.cn/" ADD_DATE="1700000030">新浪 &quot;新闻&quot;</A>
        </DL><p>
    </DL><p>
    <DT><H3 ADD_DATE="1700000040" LAST_MODIFIED="0">Other bookmarks</H3>
    <DL><p>
        <DT><A HREF="https://example.org/it&#39;s" ADD_DATE="1700000060">It&#39;s</A>
    </DL><p>
</DL><p>
)";

// Older writers: one line, lower case, unclosed <DT> and <A>, single and no quotes, valueless attributes.
const char LegacyExport[] = "<!DOCTYPE NETSCAPE-Bookmark-file-1><title>Bookmarks</title><h1>我的收藏</h1><dl><p>"
                            "<dt><a href='http://a.cn/' add_date=1600000000>甲<dt><h3 folded>文件夹</h3><dl><p>"
                            "<dt><a HREF=\"http://b.cn/\">乙</a></dl><p><dt><a href=http://c.cn/ add_date=3>丙</a>"
                            "<dt><a>no address</a><dt><a href=\"\">empty address</a></dl>";

} // namespace

void tst_NetscapeBookmarks::entities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("named") << "&amp;&lt;&gt;&quot;&apos;" << "&<>\"'";
    QTest::newRow("upper case named") << "&AMP;&LT;" << "&<";
    QTest::newRow("nbsp") << "a&nbsp;b" << QStringLiteral("a\u00A0b");
    QTest::newRow("decimal") << "&#39;&#20013;" << "'中";
    QTest::newRow("hex") << "&#x6587;&#X6587;" << "文文";
    QTest::newRow("beyond the basic plane") << "&#x1F600;" << "😀";
    QTest::newRow("decimal without semicolon") << "&#65B" << "AB";
    QTest::newRow("zero") << "&#0;" << QStringLiteral("\uFFFD");
    QTest::newRow("long numbers") << "&#0000000065;&#99999999999;" << QStringLiteral("A\uFFFD");
    QTest::newRow("surrogate") << "&#xD800;" << QStringLiteral("\uFFFD");
    QTest::newRow("unknown name kept") << "&copy2;&foo;" << "&copy2;&foo;";
    QTest::newRow("bare ampersand") << "a & b &" << "a & b &";
    QTest::newRow("named without semicolon") << "?a=1&amp=2" << "?a=1&amp=2";
    QTest::newRow("decoded once") << "&amp;lt;&#38;amp;" << "&lt;&amp;";
    QTest::newRow("no digits") << "&#x;&#;" << "&#x;&#;";
}

void tst_NetscapeBookmarks::entities()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(HtmlEntities::decode(text), decoded);
}

void tst_NetscapeBookmarks::read_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QStringList>("bookmarks");
    QTest::addColumn<QStringList>("categories");
    QTest::newRow("firefox")
        << QByteArray(FirefoxExport)
        << QStringList{"Bookmarks Menu|Mozilla & 朋友|https://www.mozilla.org/zh-CN/|1700000100",
                       "Mozilla Firefox|获取帮助|https://support.mozilla.org/|1700000300",
                       "Mozilla Firefox|关于|https://www.mozilla.org/about/|1700000330",
                       "Mozilla Firefox / 深层|Deep <one>|https://deep.example/?a=1&b=2|1700000320",
                       "Bookmarks Toolbar|示例|https://www.example.cn/|1700000500"}
        << QStringList{"Bookmarks Menu", "Mozilla Firefox", "Mozilla Firefox / 深层", "Bookmarks Toolbar"};
    QTest::newRow("chromium")
        << QByteArray(ChromiumExport)
        << QStringList{"Bookmarks bar|百度一下，你就知道|https://www.baidu.com/|1700000010",
                       "Bookmarks bar / 新闻|新浪 \"新闻\"|https://news.sina.com.cn/|1700000030",
                       "Other bookmarks|It's|https://example.org/it's|1700000060"}
        << QStringList{"Bookmarks bar", "Bookmarks bar / 新闻", "Other bookmarks"};
    QTest::newRow("legacy")
        << QByteArray(LegacyExport)
        << QStringList{"我的收藏|甲|http://a.cn/|1600000000", "我的收藏|丙|http://c.cn/|3", "文件夹|乙|http://b.cn/|0"}
        << QStringList{"我的收藏", "文件夹"};
    QTest::newRow("no heading")
        << QByteArray("<DL><p><DT><A HREF=\"http://a/\">a</A></DL>") << QStringList{"书签|a|http://a/|0"}
        << QStringList{"书签"};
    QTest::newRow("tags across lines")
        << QByteArray("<DL><p><DT><A\n  HREF=\"http://a/\"\n  ADD_DATE=\"5\"\n>two\n   lines</A\n></DL>")
        << QStringList{"书签|two lines|http://a/|5"} << QStringList{"书签"};
    QTest::newRow("line breaks in an address")
        << QByteArray("<DL><p><DT><A HREF=\"http://a/\n b&#10;c\td\">x</A><DT><A HREF=\"http://e/\r\nf  g\"></A></DL>")
        << QStringList{"书签|x|http://a/ bcd|0", "书签|http://e/f g|http://e/f  g|0"} << QStringList{"书签"};
    QTest::newRow("commented out")
        << QByteArray("<DL><p><!-- <DT><A HREF=\"http://hidden/\">x</A> --><DT><A HREF=\"http://a/\">a</A></DL>")
        << QStringList{"书签|a|http://a/|0"} << QStringList{"书签"};
    QTest::newRow("depth three")
        << QByteArray("<DL><DT><H3>A</H3><DL><DT><H3>B</H3><DL><DT><H3>C</H3><DL>"
                      "<DT><A HREF=\"http://c/\">c</A></DL></DL><DT><A HREF=\"http://a/\">a</A></DL></DL>")
        << QStringList{"A|a|http://a/|0", "A / B / C|c|http://c/|0"} << QStringList{"A", "A / B / C"};
    QTest::newRow("folder without list")
        << QByteArray("<DL><DT><H3>Empty</H3><DT><A HREF=\"http://a/\">a</A><DL><DT><A HREF=\"http://b/\">b</A></DL></DL>")
        << QStringList{"书签|a|http://a/|0", "书签|b|http://b/|0"} << QStringList{"书签"};
    QTest::newRow("a name cut at a blank")
        << ("<DL><DT><H3>" + QByteArray(253, 'a') + " b</H3><DL><DT><A HREF=\"http://a/\">a</A></DL></DL>")
        << QStringList{QString(253, u'a') + "|a|http://a/|0"} << QStringList{QString(253, u'a')};
    QTest::newRow("a heading cut at a blank")
        << ("<H1>" + QByteArray(253, 'h') + " b</H1><DL><DT><A HREF=\"http://a/\">a</A></DL>")
        << QStringList{QString(253, u'h') + "|a|http://a/|0"} << QStringList{QString(253, u'h')};
    QTest::newRow("same folder twice")
        << QByteArray("<DL><DT><H3>F</H3><DL><DT><A HREF=\"http://1/\">1</A></DL>"
                      "<DT><H3>F</H3><DL><DT><A HREF=\"http://2/\">2</A></DL></DL>")
        << QStringList{"F|1|http://1/|0", "F|2|http://2/|0"} << QStringList{"F"};
    QTest::newRow("dates in finer units")
        << QByteArray("<DL><DT><A HREF=\"http://ms/\" ADD_DATE=\"1700000000123\">ms</A>"
                      "<DT><A HREF=\"http://us/\" ADD_DATE=\"1700000000123456\">us</A>"
                      "<DT><A HREF=\"http://bad/\" ADD_DATE=\"soon\">bad</A>"
                      "<DT><A HREF=\"http://far/\" ADD_DATE=\"123456789012345678\">far</A></DL>")
        << QStringList{"书签|ms|http://ms/|1700000000", "书签|us|http://us/|1700000000", "书签|bad|http://bad/|0",
                       "书签|far|http://far/|0"}
        << QStringList{"书签"};
    QTest::newRow("attribute order and case")
        << QByteArray("<dl><dt><a add_date='7' Href = 'http://a/?q=\"x\"' href=\"http://second/\">a</a></dl>")
        << QStringList{"书签|a|http://a/?q=\"x\"|7"} << QStringList{"书签"};
    QTest::newRow("nameless link")
        << QByteArray("<DL><DT><A HREF=\" http://a/ \"></A></DL>") << QStringList{"书签|http://a/|http://a/|0"}
        << QStringList{"书签"};
    QTest::newRow("stray angle bracket")
        << QByteArray("<DL><DT><A HREF=\"http://a/\">1 < 2 <3</A></DL>") << QStringList{"书签|1 < 2 <3|http://a/|0"}
        << QStringList{"书签"};
}

void tst_NetscapeBookmarks::read()
{
    QFETCH(QByteArray, html);
    QFETCH(QStringList, bookmarks);
    QFETCH(QStringList, categories);
    const QList<ExchangeCategory> got = NetscapeBookmarks::read(html);
    QCOMPARE(flatten(got), bookmarks);
    QCOMPARE(categoryNames(got), categories);
}

void tst_NetscapeBookmarks::charset_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    const QString name = QStringLiteral("中文喆堃");
    const auto file = [](const QString &meta, const QString &title) {
        return meta + QStringLiteral("\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n    <DT><A HREF=\"http://a/\">") + title
               + QStringLiteral("</A>\n</DL><p>\n");
    };
    const auto gbk = [](const QString &text) { return QByteArray(QStringEncoder("GBK").encode(text)); };
    const QString gbkMeta = QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=GBK\">");
    QTest::newRow("gbk meta") << gbk(file(gbkMeta, name)) << name;
    QTest::newRow("gb2312 label")
        << gbk(file(QStringLiteral("<meta http-equiv='content-type' content='text/html;charset=\"gb2312\"'>"), name))
        << name;
    QTest::newRow("html5 meta") << gbk(file(QStringLiteral("<meta charset=gbk>"), name)) << name;
    QTest::newRow("no meta") << file(QString(), name).toUtf8() << name;
    QTest::newRow("unknown charset") << file(QStringLiteral("<meta charset=\"x-nonsense\">"), name).toUtf8() << name;
    QTest::newRow("bom beats meta") << QByteArray("\xEF\xBB\xBF") + file(gbkMeta, name).toUtf8() << name;
}

void tst_NetscapeBookmarks::charset()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QCOMPARE(flatten(NetscapeBookmarks::read(bytes)), QStringList{QStringLiteral("书签|") + name + QStringLiteral("|http://a/|0")});
}

void tst_NetscapeBookmarks::writesTheCommonShape()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bookmarks.html"));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    QVERIFY(NetscapeBookmarks::write({{QStringLiteral("工具 & <别的>"),
                                       {{QStringLiteral("say \"hi\""), QStringLiteral("http://a/?x=1&y=\"2\""), 1600000000},
                                        {QStringLiteral("新\r\n\t行"), QStringLiteral("http://b/\n\tc"), 0}}}},
                                     path));
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    QString text = QString::fromUtf8(readRaw(path));
    const QRegularExpression now(QStringLiteral("ADD_DATE=\"(\\d+)\">(工具|新)"));
    for (auto match = now.globalMatch(text); match.hasNext();) {
        const qint64 date = match.next().captured(1).toLongLong();
        QVERIFY(date >= before && date <= after);
    }
    text.replace(QRegularExpression(QStringLiteral("ADD_DATE=\"\\d+\">(工具|新)")), QStringLiteral("ADD_DATE=\"NOW\">\\1"));
    QCOMPARE(text, QStringLiteral(
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
        "<TITLE>Bookmarks</TITLE>\n"
        "<H1>Bookmarks</H1>\n"
        "<DL><p>\n"
        "    <DT><H3 ADD_DATE=\"NOW\">工具 &amp; &lt;别的&gt;</H3>\n"
        "    <DL><p>\n"
        "        <DT><A HREF=\"http://a/?x=1&amp;y=&quot;2&quot;\" ADD_DATE=\"1600000000\">say &quot;hi&quot;</A>\n"
        "        <DT><A HREF=\"http://b/c\" ADD_DATE=\"NOW\">新   行</A>\n"
        "    </DL><p>\n"
        "</DL><p>\n"));
}

void tst_NetscapeBookmarks::roundTrip()
{
    const QList<ExchangeCategory> categories = {
        {QStringLiteral("新闻 & \"报纸\""),
         {{QStringLiteral("新浪 <新闻>"), QStringLiteral("http://news.sina.com.cn/?a=1&b=<2>"), 1600000000},
          {QStringLiteral("It's \"quoted\""), QStringLiteral("http://例子.cn/路径?q=中文"), 1600000001}}},
        {QStringLiteral("Parent / Child"), {{QStringLiteral("&amp; literally"), QStringLiteral("http://a/&amp;"), 5}}},
        {QStringLiteral("空类别"), {}}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.html"));
    QVERIFY(NetscapeBookmarks::write(categories, path));
    const auto back = NetscapeBookmarks::readFile(path);
    QVERIFY(back);
    QCOMPARE(flatten(*back), flatten(categories));
    QCOMPARE(categoryNames(*back), QStringList({QStringLiteral("新闻 & \"报纸\""), QStringLiteral("Parent / Child")}));
}

void tst_NetscapeBookmarks::unwritablePathFails()
{
    QTemporaryDir dir;
    QVERIFY(!NetscapeBookmarks::write({}, dir.path()));
    QVERIFY(!NetscapeBookmarks::readFile(dir.filePath(QStringLiteral("missing.html"))));
}

QTEST_GUILESS_MAIN(tst_NetscapeBookmarks)
#include "tst_netscapebookmarks.moc"
