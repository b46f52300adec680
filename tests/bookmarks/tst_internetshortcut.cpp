#include "bookmarks/InternetShortcut.h"
#include "bookmarks/Utf7.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class tst_InternetShortcut : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void utf7_data();
    void utf7();
    void read_data();
    void read();
    void favouriteName_data();
    void favouriteName();
    void newFileIsGbkCrLf();
    void addressGbkLacksIsWrittenEncoded_data();
    void addressGbkLacksIsWrittenEncoded();
    void rewriteKeepsOtherLines();
    void rewriteUpdatesWideUrl();
    void utf8FileStaysUtf8();
    void aWrittenAddressReadsBackAndStays_data();
    void aWrittenAddressReadsBackAndStays();
    void unreadableTargetIsNotReplaced();

private:
    QString path(const QString &name = QStringLiteral("test.url")) const { return m_dir->filePath(name); }
    void writeRaw(const QByteArray &bytes);
    QByteArray readRaw() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

static QByteArray gbk(const QString &text)
{
    return QStringEncoder("GBK").encode(text);
}

static QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

void tst_InternetShortcut::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_InternetShortcut::writeRaw(const QByteArray &bytes)
{
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray tst_InternetShortcut::readRaw() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_InternetShortcut::utf7_data()
{
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("canonical"); // encode(text) gives exactly encoded
    QTest::newRow("ascii") << "http://a.cn/x?y=1" << "http://a.cn/x?y=1" << true;
    QTest::newRow("chinese") << "+ZeVnLA-" << "日本" << true;
    QTest::newRow("plus") << "a+-b" << "a+b" << true;
    QTest::newRow("in an address") << "http://+ZeVnLA-.jp/+ZeVnLA-" << "http://日本.jp/日本" << true;
    QTest::newRow("run ends at dash") << "Hi Mom -+Jjo--!" << "Hi Mom -☺-!" << true;
    QTest::newRow("run ends without dash") << "A+ImIDkQ." << "A≢Α." << false;
    QTest::newRow("surrogate pair") << "+2D3eAA-" << "😀" << true;
    QTest::newRow("unfinished run") << "x+ZeVnLA" << "x日本" << false;
}

void tst_InternetShortcut::utf7()
{
    QFETCH(QString, encoded);
    QFETCH(QString, text);
    QFETCH(bool, canonical);
    QCOMPARE(Utf7::decode(encoded), text);
    QCOMPARE(Utf7::decode(Utf7::encode(text)), text);
    if (canonical)
        QCOMPARE(Utf7::encode(text), encoded);
}

void tst_InternetShortcut::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // null: no address
    const QString chinese = QStringLiteral("[InternetShortcut]\r\nURL=http://例子.cn/中文\r\n");
    const QString chineseUrl = QStringLiteral("http://例子.cn/中文");
    QTest::newRow("lf") << QByteArray("[InternetShortcut]\nURL=http://a/\n") << "http://a/";
    QTest::newRow("cr lf") << QByteArray("[InternetShortcut]\r\nURL=http://a/\r\n") << "http://a/";
    QTest::newRow("names ignore case") << QByteArray("[internetshortcut]\r\nurl=http://a/\r\n") << "http://a/";
    QTest::newRow("blanks trimmed") << QByteArray("[InternetShortcut]\r\nURL = \t http://a/  \r\n") << "http://a/";
    QTest::newRow("windows layout")
        << QByteArray("[DEFAULT]\r\nBASEURL=http://b/\r\n[InternetShortcut]\r\nURL=http://a/\r\n"
                      "IDList=\r\nIconIndex=1\r\n[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n")
        << "http://a/";
    QTest::newRow("other section only") << QByteArray("[DEFAULT]\r\nURL=http://b/\r\n") << QString();
    QTest::newRow("no key") << QByteArray("[InternetShortcut]\r\nIconIndex=1\r\n") << QString();
    QTest::newRow("empty value") << QByteArray("[InternetShortcut]\r\nURL=\r\n") << QString();
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("address after 3 MB") << QByteArray(3 << 20, ';') + "\r\n[InternetShortcut]\r\nURL=http://a/\r\n"
                                        << "http://a/";
    QTest::newRow("gbk") << gbk(chinese) << chineseUrl;
    QTest::newRow("gbk that is valid utf-8") << gbk(QStringLiteral("[InternetShortcut]\r\nURL=http://a.cn/却\r\n"))
                                             << QStringLiteral("http://a.cn/却");
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + utf8(chinese) << chineseUrl;
    QTest::newRow("utf-8 without bom") << utf8(chinese) << chineseUrl;
    QTest::newRow("wide wins")
        << QByteArray("[InternetShortcut]\r\nURL=http://?/\r\n[InternetShortcut.W]\r\nURL=http://+ZeVnLA-/\r\n")
        << "http://日本/";
    QTest::newRow("wide first in file")
        << QByteArray("[InternetShortcut.W]\r\nURL=http://+ZeVnLA-/?a+-b\r\n[InternetShortcut]\r\nURL=http://x/\r\n")
        << "http://日本/?a+b";
    QTest::newRow("wide of nothing but a shift ignored")
        << QByteArray("[InternetShortcut]\r\nURL=http://a/\r\n[InternetShortcut.W]\r\nURL=+\r\n") << "http://a/";
    QTest::newRow("empty wide ignored")
        << QByteArray("[InternetShortcut]\r\nURL=http://a/\r\n[InternetShortcut.W]\r\nURL=\r\n") << "http://a/";
}

void tst_InternetShortcut::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    writeRaw(bytes);
    const auto address = InternetShortcut::read(path());
    QCOMPARE(address.has_value(), !expected.isNull());
    if (address)
        QCOMPARE(*address, expected);
}

void tst_InternetShortcut::favouriteName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("dots inside") << "/f/a.b.c.url" << "a.b.c";
    QTest::newRow("upper case ending") << "/f/X.URL" << "X";
    QTest::newRow("mixed case ending") << "/f/名称.Url" << "名称";
    QTest::newRow("no ending") << "/f/readme" << "readme";
    QTest::newRow("other ending kept") << "/f/page.html" << "page.html";
    QTest::newRow("only the ending") << "/f/.url" << "";
    QTest::newRow("folder named like a shortcut") << "/f/x.url/y.url" << "y";
}

void tst_InternetShortcut::favouriteName()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(InternetShortcut::favouriteName(path), name);
}

void tst_InternetShortcut::newFileIsGbkCrLf()
{
    QVERIFY(InternetShortcut::write(path(), QStringLiteral("http://例子.cn/中文")));
    QCOMPARE(readRaw(), gbk(QStringLiteral("[InternetShortcut]\r\nURL=http://例子.cn/中文\r\n")));
}

void tst_InternetShortcut::addressGbkLacksIsWrittenEncoded_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("url") << QStringLiteral("http://a.cn/😀?q=中") << QByteArray("URL=http://a.cn/%F0%9F%98%80?q=%E4%B8%AD");
    QTest::newRow("not a url") << QStringLiteral("http://a b/😀") << QByteArray("URL=http://a%20b/%F0%9F%98%80");
    // In GBK F2 A9 9F BA, which is UTF-8 of one character too: read back, it would be that.
    QTest::newRow("GBK that reads as UTF-8") << QStringLiteral("http://a.cn/颟熀") << QByteArray("URL=http://a.cn/%E9%A2%9F%E7%86%80");
}

void tst_InternetShortcut::addressGbkLacksIsWrittenEncoded()
{
    QFETCH(QString, address);
    QFETCH(QByteArray, line);
    QVERIFY(InternetShortcut::write(path(), address));
    QCOMPARE(readRaw(), "[InternetShortcut]\r\n" + line + "\r\n");
    const auto stored = InternetShortcut::read(path());
    QVERIFY(stored);
    QCOMPARE(QUrl::fromPercentEncoding(stored->toLatin1()), address);
}

void tst_InternetShortcut::rewriteKeepsOtherLines()
{
    writeRaw(gbk(QStringLiteral("; 收藏\n[DEFAULT]\nBASEURL=http://old/\n\n[InternetShortcut]\n"
                                "IconIndex=1\nurl = http://old/\nHotKey=0\n")));
    QVERIFY(InternetShortcut::write(path(), QStringLiteral("http://new/")));
    QCOMPARE(readRaw(), gbk(QStringLiteral("; 收藏\r\n[DEFAULT]\r\nBASEURL=http://old/\r\n\r\n[InternetShortcut]\r\n"
                                           "IconIndex=1\r\nurl = http://new/\r\nHotKey=0\r\n")));
}

void tst_InternetShortcut::rewriteUpdatesWideUrl()
{
    writeRaw("[InternetShortcut]\r\nURL=http://old/\r\n[InternetShortcut.W]\r\nURL=http://old/\r\n");
    const QString address = QStringLiteral("http://日本.jp/a+b");
    QVERIFY(InternetShortcut::write(path(), address));
    QVERIFY(readRaw().contains("[InternetShortcut.W]\r\nURL=http://+ZeVnLA-.jp/a+-b\r\n"));
    QCOMPARE(InternetShortcut::read(path()), std::optional<QString>(address));
}

void tst_InternetShortcut::utf8FileStaysUtf8()
{
    const QByteArray bom("\xEF\xBB\xBF");
    writeRaw(bom + utf8(QStringLiteral("[InternetShortcut]\r\nURL=http://old/\r\n; 注释 😀\r\n")));
    QVERIFY(InternetShortcut::write(path(), QStringLiteral("http://a.cn/😀")));
    QCOMPARE(readRaw(), bom + utf8(QStringLiteral("[InternetShortcut]\r\nURL=http://a.cn/😀\r\n; 注释 😀\r\n")));
}

void tst_InternetShortcut::aWrittenAddressReadsBackAndStays_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("address");
    // Two bytes of UTF-8 are "窄" in GBK.
    QTest::newRow("UTF-8 losing its wide character") << utf8(QStringLiteral("[InternetShortcut]\r\nURL=http://a.cn/中\r\n"))
                                                     << QStringLiteral("http://a.cn/խ");
    // A quoted profile value may keep a blank that a shortcut's value never reads back.
    QTest::newRow("a blank before it") << gbk(QStringLiteral("A窄+mVmV")) << QStringLiteral(" 18");
    // F3 does not decode; written as GBK replaces it, the rest reads as UTF-8, where the
    // last line is a section of its own.
    QTest::newRow("GBK whose rewrite reads as UTF-8") << QByteArray("[InternetShortcut]\r\n\xF3\r\n[x\xEF\xBB\xBF]+\r\n")
                                                     << QStringLiteral("http://a/");
}

void tst_InternetShortcut::aWrittenAddressReadsBackAndStays()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, address);
    writeRaw(before);
    QVERIFY(InternetShortcut::write(path(), address));
    QCOMPARE(InternetShortcut::read(path()), std::optional<QString>(address.trimmed()));
    const auto again = InternetShortcut::update(path(), address);
    QVERIFY(again && !again->changed);
}

void tst_InternetShortcut::unreadableTargetIsNotReplaced()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.url")));
    QVERIFY(!InternetShortcut::write(path(QStringLiteral("folder.url")), QStringLiteral("http://a/")));
    QVERIFY(QFileInfo(path(QStringLiteral("folder.url"))).isDir());
    QVERIFY(!InternetShortcut::read(path(QStringLiteral("folder.url"))));
}

QTEST_GUILESS_MAIN(tst_InternetShortcut)
#include "tst_internetshortcut.moc"
