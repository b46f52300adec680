#include "StoreWriters.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>
#include <memory>

class tst_TwoWriters : public QObject
{
    Q_OBJECT

private slots:
    // Two running copies change the same store at once: neither loses a change.
    void twoWritersLoseNothing_data()
    {
        QTest::addColumn<int>("store");
        for (qsizetype s = 0; s < SharedStores.size(); ++s)
            QTest::newRow(SharedStores.at(s)->tag) << int(s);
    }

    void twoWritersLoseNothing()
    {
        QFETCH(int, store);
        QTemporaryDir dir;
        QVERIFY(seed(dir.path()));
        std::unique_ptr<QProcess> writers[2];
        for (int lane = 0; lane < 2; ++lane) {
            writers[lane] = std::make_unique<QProcess>();
            writers[lane]->start(QCoreApplication::applicationFilePath(),
                                 {"--add", QString::number(store), dir.path(), QString::number(lane)});
        }
        for (const auto &writer : writers) // both at once, for the races to happen
            QVERIFY(writer->waitForStarted() && writer->write("go\n") == 3 && writer->waitForBytesWritten());
        for (const auto &writer : writers) {
            QVERIFY(writer->waitForFinished(60000));
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        }
        const Store &shared = *SharedStores.at(store);
        const Held held = shared.held(dir.path());
        QStringList names[2];
        for (int i = 0; i < Adds; ++i) {
            names[0].append(QStringLiteral("甲-%1").arg(i));
            names[1].append(QStringLiteral("乙-%1").arg(i));
        }
        if (shared.takesAway)
            QCOMPARE(held.keys(), QStringList());
        else
            QCOMPARE(lost(shared, held, names[0]) + lost(shared, held, names[1]), QString());
    }
};

// "--add store folder lane": once told to go, makes Adds changes to one store.
int writeWhenTold(int store, const QString &folder, int lane)
{
    const Write write = SharedStores.at(store)->writer(folder, lane);
    std::string go;
    std::getline(std::cin, go);
    for (int i = 0; i < Adds; ++i)
        if (!write((lane ? QStringLiteral("乙-%1") : QStringLiteral("甲-%1")).arg(i)))
            return 1;
    return 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--add"))
        return writeWhenTold(args.at(2).toInt(), args.at(3), args.at(4).toInt());
    tst_TwoWriters test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_twowriters.moc"
