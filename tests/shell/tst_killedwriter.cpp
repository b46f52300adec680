#include "ProfileText.h"
#include "autotext/AutotextStore.h"
#include "bookmarks/BookmarkStore.h"
#include "core/FileReplace.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

const QString Category = QStringLiteral("c.bookmark.txt");

QString address(const QString &name) { return QStringLiteral("https://k/") + name; }

} // namespace

// A writer of bookmarks and snippets killed with SIGKILL again and again: every file
// stays whole, every change it reported is there, and the next start leaves no stray copy.
class tst_KilledWriter : public QObject
{
    Q_OBJECT

private slots:
    void everyReportedChangeSurvives()
    {
        QTemporaryDir dir;
        QVERIFY(writeProfileLines(dir.filePath("bookmark.ini"), {"[bookmark]", "files=1", "file 1=\\" + Category}));
        QVERIFY(writeProfileLines(dir.filePath(Category), {"[main]", "chinesename=甲", "number=0"}));
        QStringList reported;
        for (int run = 0; run < 50; ++run) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write"), dir.path(), QString::number(run)});
            // Killed once it has begun, at any moment of the writes that follow.
            QVERIFY2(writer.waitForReadyRead(10000), writer.readAllStandardError().constData());
            QTest::qWait(QRandomGenerator::global()->bounded(5, 120));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000) && writer.exitStatus() == QProcess::CrashExit);
            reported += QString::fromUtf8(writer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);

            BookmarkStore store(dir.path());
            QVERIFY(!store.indexDamaged() && store.categories().size() == 1);
            QHash<QString, QString> bookmarks;
            for (const BookmarkEntry &entry : store.categories().first().entries())
                bookmarks.insert(entry.name, entry.address);
            const QStringList snippets = AutotextStore(dir.path()).rows();
            for (qsizetype i = 0; i < reported.size(); ++i) {
                const QString name = reported.at(i).mid(2);
                if (reported.at(i).startsWith(u'b')) {
                    QCOMPARE(bookmarks.value(name), address(name));
                    continue;
                }
                // Its slot holds it, or one written later whose report the kill cut.
                const QString held = snippets.at(name.section(u'-', 1).toInt() % AutotextStore::Slots);
                const qsizetype at = reported.indexOf(QStringLiteral("s ") + held);
                QVERIFY2(held == name || at < 0 || at > i, qPrintable(held + " / " + name));
            }
            removeLeftoverCopies(dir.path());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter(QRegularExpression("\\.[A-Za-z]{6}$")), QStringList());
        }
    }
};

// Started as "--write folder run", adds bookmarks and snippets until killed, reporting each once written.
int writeUntilKilled(const QString &folder, const QString &run)
{
    BookmarkStore bookmarks(folder);
    AutotextStore snippets(folder);
    for (int i = 0;; ++i) {
        const QString name = run + u'-' + QString::number(i);
        if (!bookmarks.addBookmark(folder + u'/' + Category, name, address(name)))
            return 1;
        std::printf("b %s\n", qPrintable(name));
        if (!snippets.setSlot(i % AutotextStore::Slots + 1, name))
            return 2;
        std::printf("s %s\n", qPrintable(name));
        std::fflush(stdout);
    }
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
