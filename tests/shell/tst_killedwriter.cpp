#include "StoreWriters.h"
#include "core/FileReplace.h"
#include "core/IniFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>

namespace {

constexpr int Changes = 1000, Kills = 50; // over all the lives of the killed writer

} // namespace

class tst_KilledWriter : public QObject
{
    Q_OBJECT

private slots:
    // A writer of several stores killed with SIGKILL again and again, each life going on
    // from the changes reported so far: every file stays whole, every change it reported
    // is there, the next start leaves no stray copy, and no lock a killed writer held
    // makes the next one wait for it to go stale.
    void everyReportedChangeSurvives()
    {
        QTemporaryDir dir;
        QVERIFY(seed(dir.path()));
        QList<QStringList> reported(KilledStores.size());
        int kills = 0, acknowledged = 0, locksLeft = 0;
        const QDeadlineTimer budget(120000);
        for (; kills < Kills || acknowledged < Changes; ++kills) {
            // A stall says how far it got rather than running into the harness's timeout.
            QVERIFY2(!budget.hasExpired(), qPrintable(QStringLiteral("%1 kills, %2 changes").arg(kills).arg(acknowledged)));
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--kill", dir.path(), QString::number(acknowledged)});
            // Killed after some reports, so that the changes spread over the kills, and
            // at a random moment of the write under way.
            const int share = std::max(0, Changes - acknowledged) / std::max(1, Kills - kills) + 1;
            QByteArray out;
            for (int wanted = QRandomGenerator::global()->bounded(2 * share); out.count('\n') <= wanted;) {
                QVERIFY2(writer.waitForReadyRead(10000), writer.readAllStandardError().constData());
                out += writer.readAllStandardOutput();
            }
            QTest::qWait(QRandomGenerator::global()->bounded(20));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            QVERIFY2(writer.exitStatus() == QProcess::CrashExit, writer.readAllStandardError().constData());
            locksLeft += !QDir(dir.path()).entryList({"*.lock"}).isEmpty();
            // Whole lines only: a report the kill cut is none.
            QStringList lines = QString::fromUtf8(out + writer.readAllStandardOutput()).split(u'\n');
            lines.removeLast();
            for (const QString &line : std::as_const(lines)) {
                const QStringList parts = line.split(u' ');
                // A writer that waited for a killed one's lock to age would take most of the stale time.
                QVERIFY2(parts.at(2).toInt() < IniFile::StaleLockMs / 2, qPrintable("waited: " + line));
                reported[parts.at(0).toInt()].append(parts.at(1));
                ++acknowledged;
            }
            for (qsizetype s = 0; s < KilledStores.size(); ++s)
                QCOMPARE(lost(*KilledStores.at(s), KilledStores.at(s)->held(dir.path()), reported.at(s)), QString());
            removeLeftoverCopies(dir.path()); // what the next start does first
            QCOMPARE(damage(dir.path()), QString());
        }
        // Enough kills came while a lock was held for the next writer's wait to tell.
        QVERIFY2(locksLeft >= Kills / 10, qPrintable(QString::number(locksLeft)));
    }
};

// "--kill folder first": changes the stores in turn until killed, reporting each
// change once written as "store name milliseconds".
int writeUntilKilled(const QString &folder, int first)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives a test that was stopped
    QList<Write> writes;
    for (const Store *store : KilledStores)
        writes.append(store->writer(folder, 0));
    for (int i = first;; ++i) {
        const qsizetype s = i % writes.size();
        const QString name = QStringLiteral("k-%1").arg(i);
        QElapsedTimer took;
        took.start();
        if (!writes.at(s)(name))
            return 1;
        std::printf("%d %s %lld\n", int(s), qPrintable(name), took.elapsed());
        std::fflush(stdout);
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--kill"))
        return writeUntilKilled(args.at(2), args.at(3).toInt());
    tst_KilledWriter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedwriter.moc"
