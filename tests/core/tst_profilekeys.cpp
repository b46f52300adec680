#include "core/ProfileFolder.h"
#include "core/ProfileKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The numbered keys and counts every profile file uses, and what lies inside the profile folder.
class tst_ProfileKeys : public QObject
{
    Q_OBJECT

private slots:
    void numberOfAKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << "bk 1" << 1;
        QTest::newRow("other case") << "BK 100" << 100;
        QTest::newRow("nine digits") << "bk 999999999" << 999999999;
        QTest::newRow("ten digits") << "bk 1000000000" << 0;
        QTest::newRow("leading zero") << "bk 01" << 0;
        QTest::newRow("no blank") << "bk1" << 0;
        QTest::newRow("two blanks") << "bk  1" << 0;
        QTest::newRow("trailing letter") << "bk 1a" << 0;
        QTest::newRow("other prefix") << "file 1" << 0;
        QTest::newRow("prefix only") << "bk " << 0;
    }
    void numberOfAKey()
    {
        QFETCH(QString, key);
        QFETCH(int, number);
        QCOMPARE(ProfileKeys::numberOf(key, u"bk"), number);
        if (number)
            QCOMPARE(ProfileKeys::numberOf(ProfileKeys::numbered(QStringLiteral("bk"), number), u"bk"), number);
    }

    void counts_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("count");
        QTest::newRow("plain") << "3" << 3;
        QTest::newRow("blanks") << " 12 " << 12;
        QTest::newRow("above the limit") << "500" << 100;
        QTest::newRow("negative") << "-2" << 0;
        QTest::newRow("sign") << "+3" << 3;
        QTest::newRow("not a number") << "3x" << 0;
        QTest::newRow("not whole") << "3.5" << 0;
        QTest::newRow("beyond an int") << "99999999999" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void counts()
    {
        QFETCH(QString, value);
        QFETCH(int, count);
        QCOMPARE(ProfileKeys::count(value, 100), count);
    }

    // Only the first comma of a "title,rest" value ends the title.
    void storedTitles() { QCOMPARE(ProfileKeys::storedTitle(QStringLiteral("新,工具，a,")), QStringLiteral("新，工具，a，")); }

    void locationsInsideTheFolderOnly()
    {
        QTemporaryDir dir;
        const ProfileFolder folder(dir.filePath(QStringLiteral("profile")));
        QDir().mkpath(folder.file(QStringLiteral("sub")));
        QDir().mkpath(dir.filePath(QStringLiteral("profile2")));
        QFile::link(dir.path(), folder.file(QStringLiteral("up")));
        const auto location = [&](const QString &name) { return folder.locationOf(ProfileFolder::realPath(name)); };
        QCOMPARE(location(folder.file(QStringLiteral("sub/a.txt"))), QStringLiteral("/sub/a.txt"));
        QCOMPARE(location(folder.file(QStringLiteral("../a.txt"))), QString());
        QCOMPARE(location(folder.file(QStringLiteral("up/a.txt"))), QString()); // a link out of the folder
        QCOMPARE(location(folder.path()), QString());
        QCOMPARE(location(dir.filePath(QStringLiteral("profile2/a.txt"))), QString());
    }
};

QTEST_MAIN(tst_ProfileKeys)
#include "tst_profilekeys.moc"
