#include "OwnWarnings.h"
#include "ProfileText.h"
#include "autotext/AutotextStore.h"
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The 100 snippets of autotxt.ini, without any window.
class tst_AutotextStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { failOnOwnWarnings(); }
    void init() { QFile::remove(m_dir.filePath(QStringLiteral("autotxt.ini"))); }

    void rowsFromTheFile_data()
    {
        QTest::addColumn<QStringList>("lines"); // of the file; empty: no file
        QTest::addColumn<QStringList>("shown"); // "row:text" for each row that is not the placeholder
        QTest::newRow("no file") << QStringList() << QStringList();
        QTest::newRow("only t 7") << QStringList{"[table]", "t 7=你好{TAB}世界"} << QStringList{"7:你好{TAB}世界"};
        QTest::newRow("t7 is no key") << QStringList{"[table]", "t7=x", "t 07=y", "T 100=z"} << QStringList{"100:z"};
        QTest::newRow("beyond the slots") << QStringList{"[table]", "t 0=x", "t 101=y"} << QStringList();
        QTest::newRow("other section") << QStringList{"[tables]", "t 1=x"} << QStringList();
        QTest::newRow("empty and the placeholder") << QStringList{"[table]", "t 1=", "t 2=<无>", "t 3= x "} << QStringList{"3:x"};
        QTest::newRow("blanks in quotes kept") << QStringList{"[table]", "t 1=\" x \"", "t 2=\"  \""}
                                               << QStringList{"1: x ", "2:  "};
    }
    void rowsFromTheFile()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        if (!lines.isEmpty())
            QVERIFY(writeProfileLines(m_dir.filePath(QStringLiteral("autotxt.ini")), lines));
        const QStringList rows = AutotextStore(m_dir.path()).rows();
        QCOMPARE(rows.size(), 100);
        QStringList found;
        for (int i = 0; i < rows.size(); ++i)
            if (rows.at(i) != AutotextStore::Placeholder)
                found.append(QStringLiteral("%1:%2").arg(i + 1).arg(rows.at(i)));
        QCOMPARE(found, shown);
    }

    void aSlotIsOneLineOfTheFile()
    {
        AutotextStore store(m_dir.path());
        QVERIFY(store.setSlot(3, QStringLiteral("张三{TAB}😀")));
        QVERIFY(store.setSlot(100, QString()));
        QCOMPARE(store.rows().at(2), QStringLiteral("张三{TAB}😀"));
        QFile file(store.file());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[table]\r\nt 3=\xd5\xc5\xc8\xfd{TAB}\x94\x39\xfc\x36\r\nt 100=\r\n"));
        QVERIFY(AutotextStore::isEmpty(store.rows().at(99)));
        QVERIFY(AutotextStore::isEmpty(QStringLiteral("<无>")));
    }

    // One line, as long as a read gives back: 254 bytes of GB18030.
    void whatASlotCanHold_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // null: refused
        QTest::newRow("line breaks are Enter") << "a\r\nb\nc\rd" << "a~b~c~d";
        QTest::newRow("254 bytes") << QString(127, u'中') << QString(127, u'中');
        QTest::newRow("255 bytes") << QStringLiteral("a") + QString(127, u'中') << QString();
        QTest::newRow("an emoji is four") << QString(63, u'中') + QStringLiteral("😀") + QString(125, u'x') << QString();
    }
    void whatASlotCanHold()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(AutotextStore::bytes(typed) <= AutotextStore::MaxBytes, !stored.isNull());
        QCOMPARE(AutotextStore::storable(typed), !stored.isNull());
        if (!stored.isNull())
            QCOMPARE(typed, stored);
    }
};

QTEST_MAIN(tst_AutotextStore)
#include "tst_autotextstore.moc"
