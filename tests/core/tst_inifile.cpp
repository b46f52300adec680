#include "FileSizeLimit.h"
#include "OwnWarnings.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const QRegularExpression CannotWrite(QStringLiteral("cannot write"));

} // namespace

class tst_IniFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { failOnOwnWarnings(); }
    void init();
    void cutAt254Bytes_data();
    void cutAt254Bytes();
    void cutCountsALoneSurrogate();
    void nulInTheNameIsRefused();
    void absentGivesDefaultExactly_data();
    void absentGivesDefaultExactly();
    void emptyValueIsNotDefault();
    void namesIgnoreCase();
    void quotes_data();
    void quotes();
    void keysWithBlanks();
    void firstDuplicateWins();
    void lfOnlyFileReadable();
    void bytesOnDiskAreGb18030CrLf();
    void encodingKeptOnWrite_data();
    void encodingKeptOnWrite();
    void aWriteNeverChangesHowTheFileReads_data();
    void aWriteNeverChangesHowTheFileReads();
    void createsFileAndSection();
    void writeKeepsEverythingElse();
    void addsKeyAtEndOfItsSection();
    void emptyValueKeepsKey();
    void lineBreakInValueStaysOneLine();
    void failedWriteLeavesNoTrace();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void concurrentWritersLoseNothing();
    void readersNeverSeeHalfAFile();
    void updateIsOneWrite();
    void unreadableFileIsNeverWritten();
    void concurrentUpdatesLoseNothing();
    void heldLockFailsTheWriteSoon();
    void section_data();
    void section();

private:
    QString path(const QString &name = QStringLiteral("test.ini")) const { return m_dir->filePath(name); }
    void writeRaw(const QString &file, const QByteArray &bytes);
    QByteArray readRaw(const QString &file);

    std::unique_ptr<QTemporaryDir> m_dir;
};

static QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

static QByteArray gb18030(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

void tst_IniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_IniFile::writeRaw(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray tst_IniFile::readRaw(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void tst_IniFile::cutAt254Bytes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const QString han = QStringLiteral("中");
    const QString ascii300 = QString(300, u'a');
    QTest::newRow("300 ascii") << ascii300 << ascii300.left(254);
    QTest::newRow("254 ascii") << QString(254, u'b') << QString(254, u'b');
    QTest::newRow("127 chinese whole") << han.repeated(127) << han.repeated(127);
    QTest::newRow("128 chinese cut") << han.repeated(128) << han.repeated(127);
    QTest::newRow("200 chinese cut") << han.repeated(200) << han.repeated(127);
    QTest::newRow("mixed whole") << QStringLiteral("abc中文def测试") << QStringLiteral("abc中文def测试");
    // 1 + 2*126 = 253 bytes, the next double-byte character would end at 255.
    const QString oddMixed = u'x' + han.repeated(130);
    QTest::newRow("mixed split char dropped") << oddMixed << u'x' + han.repeated(126);
    const QString evenMixed = QStringLiteral("xy") + han.repeated(130);
    QTest::newRow("mixed even cut") << evenMixed << QStringLiteral("xy") + han.repeated(126);
    QTest::newRow("mixed tail ascii")
        << han.repeated(126) + QStringLiteral("abcdef") << han.repeated(126) + QStringLiteral("ab");
    // Characters outside GBK take four bytes of GB18030.
    const QString emoji = QStringLiteral("😀");
    QTest::newRow("emoji ends at 254") << QString(250, u'a') + emoji << QString(250, u'a') + emoji;
    QTest::newRow("emoji straddling dropped") << QString(252, u'a') + emoji + u'b' << QString(252, u'a');
    QTest::newRow("emoji after chinese") << han.repeated(125) + emoji + u'b' << han.repeated(125) + emoji;
    const QString rare = QStringLiteral("㐀");
    QTest::newRow("70 rare BMP cut") << rare.repeated(70) << rare.repeated(63);
}

void tst_IniFile::cutAt254Bytes()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    WriteINI(path(), QStringLiteral("S"), QStringLiteral("k"), stored);
    const QString got = ReadINI(path(), QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("dflt"));
    QCOMPARE(got, expected);
    QVERIFY(!got.contains(QChar(0)));
    QVERIFY(gb18030(got).size() <= 254);
    QCOMPARE(cutToProfileLimit(stored), expected);
    // The same value reads the same from a file saved as UTF-8.
    writeRaw(path("utf8.ini"), "[S]\r\nk=" + stored.toUtf8() + "\r\n");
    QCOMPARE(ReadINI(path("utf8.ini"), QStringLiteral("S"), QStringLiteral("k")), expected);
}

// A name read from a damaged file may hold a NUL: a write to it is refused at once.
void tst_IniFile::nulInTheNameIsRefused()
{
    const ExpectedWarning refused(CannotWrite);
    QString error;
    QVERIFY(!IniFile::profile(path() + QChar(0) + QStringLiteral("x")).setValue("S", "k", "v", &error));
    QCOMPARE(error, QStringLiteral("文件名无效"));
}

// Text that is not UTF-16: a surrogate alone is no pair with what follows it.
void tst_IniFile::cutCountsALoneSurrogate()
{
    const QString value = QString(249, u'a') + QChar(0xD800) + QChar(0x80) + u'b';
    QCOMPARE(cutToProfileLimit(value), value.left(250));
}

void tst_IniFile::absentGivesDefaultExactly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultValue");
    QTest::newRow("no file") << "missing.ini" << "S" << "k" << "默认值";
    QTest::newRow("no section") << "test.ini" << "Other" << "k" << "d";
    QTest::newRow("no key") << "test.ini" << "S" << "nokey" << "d";
    QTest::newRow("empty default") << "test.ini" << "S" << "nokey" << "";
    QTest::newRow("blank default kept") << "test.ini" << "S" << "nokey" << "  x  ";
    QTest::newRow("long default kept") << "test.ini" << "S" << "nokey" << QString(400, u'z');
}

void tst_IniFile::absentGivesDefaultExactly()
{
    QFETCH(QString, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, defaultValue);
    writeRaw(path(), "[S]\r\nk=v\r\n");
    QCOMPARE(ReadINI(path(file), section, key, defaultValue), defaultValue);
    QVERIFY(ReadINI(path(file), section, key).isEmpty());
}

void tst_IniFile::emptyValueIsNotDefault()
{
    writeRaw(path(), "[S]\r\nempty=\r\nblank=   \r\n");
    QCOMPARE(ReadINI(path(), "S", "empty", "default"), QString(""));
    QCOMPARE(ReadINI(path(), "S", "blank", "default"), QString(""));
    WriteINI(path(), "S", "written", "");
    QCOMPARE(ReadINI(path(), "S", "written", "default"), QString(""));
}

void tst_IniFile::namesIgnoreCase()
{
    writeRaw(path(), "[Options]\r\nShowTips=1\r\n");
    QCOMPARE(ReadINI(path(), "options", "showtips", "0"), QString("1"));
    QCOMPARE(ReadINI(path(), "OPTIONS", "Showtips", "0"), QString("1"));
    WriteINI(path(), "OPTIONS", "SHOWTIPS", "0");
    QCOMPARE(readRaw(path()), QByteArray("[Options]\r\nShowTips=0\r\n"));
}

// As the Windows profile functions read them, and written so that they read back whole.
void tst_IniFile::quotes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("written"); // value is written as line
    QTest::newRow("blanks trimmed") << QByteArray("k  = \t a  b \t ") << "a  b" << false;
    QTest::newRow("plain") << QByteArray("k=say \"hi\"") << "say \"hi\"" << true;
    QTest::newRow("blanks in quotes") << QByteArray("k=\" a\t\"") << " a\t" << true;
    QTest::newRow("only blanks") << QByteArray("k=\"  \"") << "  " << true;
    QTest::newRow("one pair dropped") << QByteArray("k=\"\"a\"\"") << "\"a\"" << true;
    QTest::newRow("single quotes dropped") << QByteArray("k= 'a' ") << "a" << false;
    QTest::newRow("empty quotes") << QByteArray("k=\"\"") << "" << false;
    QTest::newRow("unmatched kept") << QByteArray("k=\"a'") << "\"a'" << true;
}

void tst_IniFile::quotes()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, value);
    QFETCH(bool, written);
    writeRaw(path(), "[S]\r\n" + line + "\r\n");
    QCOMPARE(ReadINI(path(), "S", "k"), value);
    QCOMPARE(IniFile::profile(path()).read()->section("S").value("k"), value);
    WriteINI(path(), "S", "k", value);
    QCOMPARE(readRaw(path()) == "[S]\r\n" + line + "\r\n", written);
    QCOMPARE(ReadINI(path(), "S", "k"), value);
}

void tst_IniFile::keysWithBlanks()
{
    writeRaw(path(), "[Bookmark]\r\nbk 1=first\r\nbk1=joined\r\nbk 10=tenth\r\n");
    QCOMPARE(ReadINI(path(), "Bookmark", "bk 1"), QString("first"));
    QCOMPARE(ReadINI(path(), "Bookmark", "bk1"), QString("joined"));
    QCOMPARE(ReadINI(path(), "Bookmark", "bk 10"), QString("tenth"));
    QCOMPARE(ReadINI(path(), "Bookmark", "bk  1", "none"), QString("none"));
    WriteINI(path(), "Bookmark", "e 2", "second");
    QCOMPARE(ReadINI(path(), "Bookmark", "e 2"), QString("second"));
    QCOMPARE(ReadINI(path(), "Bookmark", "e2", "none"), QString("none"));
}

void tst_IniFile::firstDuplicateWins()
{
    writeRaw(path(), "[S]\r\nk=one\r\nk=two\r\n[s]\r\nk=three\r\nother=x\r\n");
    QCOMPARE(ReadINI(path(), "S", "k"), QString("one"));
    QCOMPARE(ReadINI(path(), "S", "other", "d"), QString("d"));
    WriteINI(path(), "S", "k", "new");
    QCOMPARE(readRaw(path()), QByteArray("[S]\r\nk=new\r\nk=two\r\n[s]\r\nk=three\r\nother=x\r\n"));
}

void tst_IniFile::lfOnlyFileReadable()
{
    writeRaw(path(), "[A]\nx=1\n[B]\ny=" + gbk("中文") + "\n");
    QCOMPARE(ReadINI(path(), "A", "x"), QString("1"));
    QCOMPARE(ReadINI(path(), "B", "y"), QStringLiteral("中文"));
    WriteINI(path(), "A", "z", "2");
    QCOMPARE(readRaw(path()), "[A]\r\nx=1\r\nz=2\r\n[B]\r\ny=" + gbk("中文") + "\r\n");
}

void tst_IniFile::bytesOnDiskAreGb18030CrLf()
{
    WriteINI(path(), QStringLiteral("书签"), QStringLiteral("名字"), QStringLiteral("中文abc"));
    const QByteArray expected = QByteArray("[\xCA\xE9\xC7\xA9]\r\n\xC3\xFB\xD7\xD6=\xD6\xD0\xCE\xC4" "abc\r\n");
    QCOMPARE(readRaw(path()), expected);
    QCOMPARE(ReadINI(path(), QStringLiteral("书签"), QStringLiteral("名字")), QStringLiteral("中文abc"));
    const QString beyondGbk = QStringLiteral("图片 😀 𠀀 㐀");
    WriteINI(path(), QStringLiteral("书签"), QStringLiteral("名字"), beyondGbk);
    QCOMPARE(readRaw(path()), QByteArray("[\xCA\xE9\xC7\xA9]\r\n\xC3\xFB\xD7\xD6=\xCD\xBC\xC6\xAC "
                                         "\x94\x39\xFC\x36 \x95\x32\x82\x36 \x81\x39\xEE\x39\r\n"));
    QCOMPARE(ReadINI(path(), QStringLiteral("书签"), QStringLiteral("名字")), beyondGbk);
}

void tst_IniFile::encodingKeptOnWrite_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("shown"); // what S/v reads as
    QTest::addColumn<QByteArray>("after"); // once S/k is set to 😀

    const QByteArray bom("\xEF\xBB\xBF");
    const QString emoji = QStringLiteral("😀");
    const QByteArray gbEmoji = gb18030(emoji);
    // "⺁" is private use in GBK's table; its bytes stay as they were.
    QTest::newRow("GBK")
        << gbk(QStringLiteral("; 注释\r\n[S]\r\nv=中文\r\nk=1\r\nr=")) + "\xFE\x50\r\n" << QStringLiteral("中文")
        << gbk(QStringLiteral("; 注释\r\n[S]\r\nv=中文\r\nk=")) + gbEmoji + "\r\nr=\xFE\x50\r\n";
    // D6 B5 is valid UTF-8 too, a Hebrew point.
    QTest::newRow("GBK valid as UTF-8") << gbk(QStringLiteral("[S]\r\nv=值\r\nk=1\r\n")) << QStringLiteral("值")
                                        << gbk(QStringLiteral("[S]\r\nv=值\r\nk=")) + gbEmoji + "\r\n";
    QTest::newRow("ASCII") << QByteArray("[S]\r\nv=abc\r\nk=1\r\n") << QStringLiteral("abc")
                           << "[S]\r\nv=abc\r\nk=" + gbEmoji + "\r\n";
    QTest::newRow("UTF-8 with BOM") << bom + QStringLiteral("[S]\r\nv=新闻资讯\r\nk=1\r\n").toUtf8()
                                    << QStringLiteral("新闻资讯")
                                    << bom + QStringLiteral("[S]\r\nv=新闻资讯\r\nk=😀\r\n").toUtf8();
    QTest::newRow("UTF-8, LF") << QStringLiteral("[S]\nv=新闻资讯\nk=1\n").toUtf8() << QStringLiteral("新闻资讯")
                               << QStringLiteral("[S]\r\nv=新闻资讯\r\nk=😀\r\n").toUtf8();
    QTest::newRow("UTF-8 BOM, ASCII") << bom + "[S]\r\nv=abc\r\n" << QStringLiteral("abc")
                                      << bom + QStringLiteral("[S]\r\nv=abc\r\nk=😀\r\n").toUtf8();
    // 0x80 is the euro sign of the Windows code page only; GB18030 spells it A2 E3.
    QTest::newRow("Windows euro") << QByteArray("[S]\r\nv=\x80 5\r\nk=1\r\n") << QStringLiteral("€ 5")
                                  << "[S]\r\nv=\xA2\xE3 5\r\nk=" + gbEmoji + "\r\n";
}

void tst_IniFile::encodingKeptOnWrite()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, shown);
    QFETCH(QByteArray, after);
    writeRaw(path(), before);
    QCOMPARE(ReadINI(path(), "S", "v"), shown);
    WriteINI(path(), "S", "k", QStringLiteral("😀"));
    QCOMPARE(readRaw(path()), after);
    QCOMPARE(ReadINI(path(), "S", "v"), shown);
    QCOMPARE(ReadINI(path(), "S", "k"), QStringLiteral("😀"));
}

// Only its last character of three bytes told this file's UTF-8 apart from GBK.
// The encoding is guessed on each read: a write must leave bytes that guess the same.
void tst_IniFile::aWriteNeverChangesHowTheFileReads_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");
    QTest::newRow("UTF-8 losing its last wide character")
        << QStringLiteral("[S]\r\nv=Grüße\r\nk=中\r\n").toUtf8() << QStringLiteral("x") << QStringLiteral("[S]\r\nv=Grüße\r\nk=x\r\n");
    // GB18030 F2 A9 9F BA is also UTF-8 of one character.
    QTest::newRow("GB18030 that would read as UTF-8")
        << QByteArray("[S]\r\nv=Grusse\r\nk=old\r\n") << QStringLiteral("颟熀")
        << QStringLiteral("[S]\r\nv=Grusse\r\nk=颟熀\r\n");
}

void tst_IniFile::aWriteNeverChangesHowTheFileReads()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(QString, after);
    writeRaw(path(), before);
    WriteINI(path(), "S", "k", value);
    QCOMPARE(ReadINI(path(), "S", "k"), value);
    QCOMPARE(readRaw(path()), "\xEF\xBB\xBF" + after.toUtf8());
}

void tst_IniFile::createsFileAndSection()
{
    QVERIFY(!QFile::exists(path()));
    WriteINI(path(), "First", "a", "1");
    QCOMPARE(readRaw(path()), QByteArray("[First]\r\na=1\r\n"));
    WriteINI(path(), "Second", "b", "2");
    QCOMPARE(readRaw(path()), QByteArray("[First]\r\na=1\r\n[Second]\r\nb=2\r\n"));
    QVERIFY(!QFile::exists(path() + ".lock"));
}

void tst_IniFile::writeKeepsEverythingElse()
{
    const QByteArray before = "; leading comment\r\n"
                              "stray=before any section\r\n"
                              "\r\n"
                              "[One]\r\n"
                              "a = 1\r\n"
                              "; comment in one\r\n"
                              "garbage line without equals\r\n"
                              "b=" + gbk("值") + "\r\n"
                              "\r\n"
                              "[Two]\r\n"
                              "c=3\r\n";
    writeRaw(path(), before);
    WriteINI(path(), "one", "A", "changed");
    QByteArray expected = before;
    expected.replace("a = 1", "a = changed");
    QCOMPARE(readRaw(path()), expected);
    WriteINI(path(), "Two", "c", "3");
    QCOMPARE(readRaw(path()), expected);
}

void tst_IniFile::addsKeyAtEndOfItsSection()
{
    writeRaw(path(), "[One]\r\na=1\r\n\r\n[Two]\r\nc=3\r\n");
    WriteINI(path(), "One", "new", "x");
    WriteINI(path(), "Two", "last", "y");
    QCOMPARE(readRaw(path()), QByteArray("[One]\r\na=1\r\nnew=x\r\n\r\n[Two]\r\nc=3\r\nlast=y\r\n"));
}

void tst_IniFile::emptyValueKeepsKey()
{
    writeRaw(path(), "[S]\r\nk=old\r\n");
    WriteINI(path(), "S", "k", "");
    QCOMPARE(readRaw(path()), QByteArray("[S]\r\nk=\r\n"));
    WriteINI(path(), "S", "n", "");
    QCOMPARE(readRaw(path()), QByteArray("[S]\r\nk=\r\nn=\r\n"));
}

void tst_IniFile::lineBreakInValueStaysOneLine()
{
    WriteINI(path(), "S", "k", "a\r\n[Evil]\nb");
    WriteINI(path(), "S", "after", "z");
    QCOMPARE(ReadINI(path(), "S", "k"), QString("a [Evil] b"));
    QCOMPARE(ReadINI(path(), "Evil", "b", "none"), QString("none"));
    QCOMPARE(ReadINI(path(), "S", "after"), QString("z"));
}

void tst_IniFile::failedWriteLeavesNoTrace()
{
    // The parent is a regular file, so nothing can be created below it, even as root.
    writeRaw(path("plain"), "not a folder");
    const QString target = path("plain") + "/test.ini";
    const ExpectedWarning warned(CannotWrite);
    WriteINI(target, "S", "k", "v");
    QCOMPARE(ReadINI(target, "S", "k", "d"), QString("d"));
    QCOMPARE(readRaw(path("plain")), QByteArray("not a folder"));

    // The target name is taken by a folder.
    QVERIFY(QDir(m_dir->path()).mkdir("taken.ini"));
    const ExpectedWarning warnedAgain(CannotWrite);
    WriteINI(path("taken.ini"), "S", "k", "v");
    QVERIFY(QFileInfo(path("taken.ini")).isDir());
    QVERIFY(QDir(path("taken.ini")).isEmpty());
}

void tst_IniFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("room");
    QTest::newRow("not even the lock") << 8;
    QTest::newRow("the lock, not the file") << 160;
}

// A full disk: the write stops part way, and nothing of it may replace the file.
void tst_IniFile::failedWriteKeepsOldFile()
{
    QFETCH(int, room);
    const QByteArray before = "[S]\r\nk=old\r\n";
    writeRaw(path(), before);
    const ExpectedWarning warned(CannotWrite);
    {
        const FileSizeLimit limit(before.size() + room);
        WriteINI(path(), "S", "k", QString(300, u'n'));
    }
    QCOMPARE(readRaw(path()), before);
    // Nor is a half-written temporary file left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"test.ini"});
}

void tst_IniFile::concurrentWritersLoseNothing()
{
    const int writers = 6;
    const int keysEach = 25;
    std::vector<std::thread> threads;
    for (int w = 0; w < writers; ++w) {
        threads.emplace_back([this, w] {
            for (int k = 0; k < keysEach; ++k)
                WriteINI(path(), QStringLiteral("S%1").arg(w % 2), QStringLiteral("w%1 %2").arg(w).arg(k),
                         QStringLiteral("值%1").arg(k));
        });
    }
    for (auto &t : threads)
        t.join();
    for (int w = 0; w < writers; ++w) {
        for (int k = 0; k < keysEach; ++k) {
            QCOMPARE(ReadINI(path(), QStringLiteral("S%1").arg(w % 2), QStringLiteral("w%1 %2").arg(w).arg(k)),
                     QStringLiteral("值%1").arg(k));
        }
    }
    const QByteArray raw = readRaw(path());
    QCOMPARE(raw.count("[S0]"), 1);
    QCOMPARE(raw.count("[S1]"), 1);
    QCOMPARE(raw.count("\r\n"), writers * keysEach + 2);
}

void tst_IniFile::readersNeverSeeHalfAFile()
{
    // Pad the file so that a write in place would be visible half done.
    WriteINI(path(), "S", "pad", QString(200, u'p'));
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (int k = 0; k < 150; ++k)
            WriteINI(path(), "S", QStringLiteral("k%1").arg(k), QString::number(k));
        done = true;
    });
    int lastCount = 0;
    int broken = 0;
    while (!done) {
        const QByteArray raw = readRaw(path());
        const int count = raw.count("\r\n");
        if (!raw.startsWith("[S]\r\npad=") || !raw.endsWith("\r\n") || count < lastCount)
            ++broken;
        lastCount = count;
    }
    writer.join();
    QCOMPARE(broken, 0);
    QCOMPARE(readRaw(path()).count("\r\n"), 152);
}

void tst_IniFile::updateIsOneWrite()
{
    writeRaw(path(), "[S]\r\nn= 4\r\n");
    const quint64 before = IniFile::writes();
    const bool written = IniFile::profile(path()).update([](IniDocument &doc) {
        const int n = doc.value("S", "n")->toInt() + 1;
        doc.setValue("T", QStringLiteral("e %1").arg(n), "x");
        doc.setValue("S", "n", u' ' + QString::number(n)); // a count's blank is layout, not quoted
        doc.setValue("S", "m", "中");
    });
    QVERIFY(written);
    QCOMPARE(IniFile::writes(), before + 1);
    QCOMPARE(readRaw(path()), "[S]\r\nn= 5\r\nm=" + gbk("中") + "\r\n[T]\r\ne 5=x\r\n");
    QVERIFY(!QFile::exists(path() + ".lock"));
}

void tst_IniFile::unreadableFileIsNeverWritten()
{
    QVERIFY(IniFile::profile(path()).read()->lines().isEmpty());
    QVERIFY(QDir(m_dir->path()).mkdir("folder.ini"));
    const IniFile folder = IniFile::profile(path("folder.ini"));
    QVERIFY(!folder.read() && !folder.text());
    const quint64 before = IniFile::writes();
    bool called = false;
    const ExpectedWarning warned(CannotWrite);
    QVERIFY(!folder.update([&](IniDocument &) { called = true; }));
    // A document that could not be read must never be handed out for writing.
    QVERIFY(!called);
    QCOMPARE(IniFile::writes(), before);
}

void tst_IniFile::concurrentUpdatesLoseNothing()
{
    const int writers = 4;
    const int rounds = 25;
    std::vector<std::thread> threads;
    for (int w = 0; w < writers; ++w) {
        threads.emplace_back([this, w] {
            for (int k = 0; k < rounds; ++k) {
                IniFile::profile(path()).update([&](IniDocument &doc) {
                    const int n = doc.value("S", "count").value_or(QString()).toInt() + 1;
                    doc.setValue("S", "count", QString::number(n));
                    doc.setValue("E", QStringLiteral("e %1").arg(n), QStringLiteral("w%1").arg(w));
                });
            }
        });
    }
    for (auto &t : threads)
        t.join();
    const auto doc = IniFile::profile(path()).read();
    QVERIFY(doc);
    QCOMPARE(doc->value("S", "count"), std::optional<QString>(QString::number(writers * rounds)));
    QCOMPARE(doc->section("E").size(), writers * rounds);
}

void tst_IniFile::section_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("expected"); // folded key, value, ...

    QTest::newRow("absent section") << QByteArray("[A]\r\nk=1\r\n") << "B" << QStringList{};
    QTest::newRow("no file text") << QByteArray() << "A" << QStringList{};
    QTest::newRow("names folded") << QByteArray("[Main]\r\nChineseName=x\r\nNUMBER= 8 \r\n") << "main"
                                  << QStringList{"chinesename", "x", "number", "8"};
    QTest::newRow("first key wins") << QByteArray("[S]\r\nbk 1=a\r\nBK 1=b\r\nbk 1=c\r\n") << "S"
                                    << QStringList{"bk 1", "a"};
    QTest::newRow("first section only") << QByteArray("[S]\r\na=1\r\n[T]\r\nb=2\r\n[s]\r\nc=3\r\n") << "S"
                                        << QStringList{"a", "1"};
    QTest::newRow("blanks trimmed, inner kept") << QByteArray("[S]\r\n  bk 2 =\t x , y \r\n") << "S"
                                                << QStringList{"bk 2", "x , y"};
    QTest::newRow("quotes dropped") << QByteArray("[S]\r\nk= \" x \"\r\n") << "S" << QStringList{"k", " x "};
    QTest::newRow("later equals in value") << QByteArray("[S]\r\nu=a=b,c\r\n") << "S" << QStringList{"u", "a=b,c"};
    QTest::newRow("comments and junk skipped")
        << QByteArray("[S]\r\n;k=no\r\njunk\r\n\r\nk=yes\r\n=empty key\r\n") << "S"
        << QStringList{"k", "yes", "", "empty key"};
    QTest::newRow("empty value kept") << QByteArray("[S]\r\nk=\r\n") << "S" << QStringList{"k", ""};
    QTest::newRow("Chinese") << gbk("[书签]\r\n名字=中文\r\n") << QStringLiteral("书签")
                             << QStringList{QStringLiteral("名字"), QStringLiteral("中文")};
}

void tst_IniFile::section()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, section);
    QFETCH(QStringList, expected);
    writeRaw(path(), text);
    const auto doc = IniFile::profile(path()).read();
    QVERIFY(doc);
    const QHash<QString, QString> entries = doc->section(section);
    QHash<QString, QString> wanted;
    for (qsizetype i = 0; i + 1 < expected.size(); i += 2)
        wanted.insert(expected.at(i), expected.at(i + 1));
    QCOMPARE(entries, wanted);
    // One pass gives what a lookup of each key gives.
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        QCOMPARE(doc->value(section, it.key()), std::optional<QString>(it.value()));
    // So does a scan of the text, keeping the first of each key.
    QHash<QString, QString> scanned;
    const QString decoded = QStringDecoder("GBK").decode(text);
    IniDocument::scan(decoded, [&](QStringView name, QStringView key, QStringView value) {
        if (name.compare(section, Qt::CaseInsensitive) == 0 && !scanned.contains(key.toString().toCaseFolded()))
            scanned.insert(key.toString().toCaseFolded(), value.toString());
    });
    QCOMPARE(scanned, wanted);
}

// Another writer holds the lock: the write fails soon, says why and changes nothing.
void tst_IniFile::heldLockFailsTheWriteSoon()
{
    writeRaw(path(), "[S]\r\nk=old\r\n");
    QLockFile other(path() + ".lock");
    QVERIFY(other.lock());
    const ExpectedWarning warned(CannotWrite);
    QElapsedTimer clock;
    clock.start();
    QString why;
    QVERIFY(!IniFile::profile(path()).setValue("S", "k", "new", &why));
    QCOMPARE_LT(clock.elapsed(), 3000);
    QCOMPARE(why, QStringLiteral("另一个程序正在写入此文件，等了 2 秒仍未写完"));
    QCOMPARE(readRaw(path()), QByteArray("[S]\r\nk=old\r\n"));
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_inifile.moc"
