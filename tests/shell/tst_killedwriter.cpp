#include "ProfileText.h"
#include "autotext/AutotextStore.h"
#include "bookmarks/BookmarkStore.h"
#include "core/FileReplace.h"
#include "core/IniFile.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

// A writer of bookmarks and snippets killed with SIGKILL again and again: every
// file stays whole, every change it reported is there, and the next start leaves
// no stray copy behind.
class tst_KilledWriter : public QObject
{
    Q_OBJECT

private slots:
    void everyAcknowledgedChangeSurvives();

private:
    void check(const QStringList &acknowledged);
    QString file(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

namespace {

constexpr int Kills = 50;
const QString Category = QStringLiteral("c.bookmark.txt");

QString address(const QString &name) { return QStringLiteral("https://k/") + name; }

} // namespace

void tst_KilledWriter::everyAcknowledgedChangeSurvives()
{
    QVERIFY(writeProfileLines(file("bookmark.ini"), {"[bookmark]", "files=1", "file 1=\\" + Category}));
    QVERIFY(writeProfileLines(file(Category), {"[main]", "chinesename=甲", "number=0"}));
    QStringList acknowledged;
    for (int run = 0; run < Kills; ++run) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write"), m_dir.path(), QString::number(run)});
        // Killed once it has begun, at a moment anywhere in the writes that follow.
        QVERIFY2(writer.waitForReadyRead(10000), writer.readAllStandardError().constData());
        QTest::qWait(QRandomGenerator::global()->bounded(5, 120));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        acknowledged += QString::fromUtf8(writer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        check(acknowledged);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY(acknowledged.size() > Kills);
}

void tst_KilledWriter::check(const QStringList &acknowledged)
{
    BookmarkStore store(m_dir.path());
    QVERIFY(!store.indexDamaged());
    const QList<BookmarkCategory> categories = store.categories();
    QCOMPARE(categories.size(), 1);
    QHash<QString, QString> bookmarks;
    for (const BookmarkEntry &entry : categories.first().entries())
        bookmarks.insert(entry.name, entry.address);
    const QStringList snippets = AutotextStore(m_dir.path()).rows();
    QHash<int, int> lastOfSlot;
    for (const QString &line : acknowledged) {
        const QString name = line.mid(2);
        if (line.startsWith(u'b'))
            QCOMPARE(bookmarks.value(name), address(name));
        else
            lastOfSlot[name.section(u'-', 1).toInt() % AutotextStore::Slots] = acknowledged.indexOf(line);
    }
    // A slot holds its last acknowledged snippet, or one written after it whose report the kill cut.
    for (auto it = lastOfSlot.cbegin(); it != lastOfSlot.cend(); ++it) {
        const QString held = snippets.at(it.key());
        const QString reported = acknowledged.at(it.value()).mid(2);
        QVERIFY2(held == reported || acknowledged.indexOf(QStringLiteral("s ") + held) < 0, qPrintable(held + " / " + reported));
    }
    removeLeftoverCopies(m_dir.path());
    const QStringList left = QDir(m_dir.path()).entryList(QDir::Files).filter(QRegularExpression("\\.[A-Za-z]{6}$"));
    QCOMPARE(left, QStringList());
}

// Started as "--write folder run", adds bookmarks and snippets until killed,
// reporting each once it is written.
int writeUntilKilled(const QString &folder, const QString &run)
{
    BookmarkStore bookmarks(folder);
    AutotextStore snippets(folder);
    for (int i = 0; i < 100000; ++i) {
        const QString name = run + u'-' + QString::number(i);
        if (!bookmarks.addBookmark(folder + u'/' + Category, name, address(name)))
            return 1;
        std::printf("b %s\n", qPrintable(name));
        if (!snippets.setSlot(i % AutotextStore::Slots + 1, name))
            return 2;
        std::printf("s %s\n", qPrintable(name));
        std::fflush(stdout);
    }
    return 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--write"))
        return writeUntilKilled(args.at(2), args.at(3));
    tst_KilledWriter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedwriter.moc"
