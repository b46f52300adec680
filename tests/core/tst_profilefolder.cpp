#include "OwnWarnings.h"
#include "TestApp.h"
#include "core/IniFile.h"
#include "core/ProfileFolder.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

// Profile files are the user's: read and written in a folder of their own, first
// filled from what ships beside the program.
class tst_ProfileFolder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString program() const { return m_dir.filePath(QStringLiteral("program")); }
    QString shipped() const { return program() + QStringLiteral("/profile"); }
    ProfileFolder profile() const { return ProfileFolder(m_dir.filePath(QStringLiteral("data/Vantorel/profile"))); }

private slots:
    void initTestCase() { failOnOwnWarnings(); }
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        copyDataFolder(program());
    }

    void editsSurviveARebuildAndARestart()
    {
        QVERIFY(profile().prepare(shipped()));
        const QString engines = profile().file(QStringLiteral("engines.ini"));
        QCOMPARE(ReadINI(engines, QStringLiteral("engines"), QStringLiteral("files")), QStringLiteral("4"));
        WriteINI(engines, QStringLiteral("engines"), QStringLiteral("files"), QStringLiteral("3"));
        // A rebuild copies the data folder over the program folder again; then the program starts again.
        copyDataFolder(program());
        QVERIFY(profile().prepare(shipped()));
        QCOMPARE(ReadINI(engines, QStringLiteral("engines"), QStringLiteral("files")), QStringLiteral("3"));
    }

    void onlyAbsentFilesAreCopied()
    {
        const QString mine = profile().file(QStringLiteral("engines/web.ini"));
        QDir().mkpath(QFileInfo(mine).path());
        QFile own(mine);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("[main]\r\nChineseName=mine\r\n");
        own.close();
        QVERIFY(profile().prepare(shipped()));
        QCOMPARE(ReadINI(mine, QStringLiteral("main"), QStringLiteral("ChineseName")), QStringLiteral("mine"));
        // Its neighbours, absent before, are there now, byte for byte.
        QFile copied(profile().file(QStringLiteral("engines/wiki.ini")));
        QFile original(shipped() + QStringLiteral("/engines/wiki.ini"));
        QVERIFY(copied.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), original.readAll());
        QVERIFY(QFileInfo::exists(profile().file(QStringLiteral("bookmark.ini"))));
    }

    // An installed copy: the program folder and its files are read-only.
    void readOnlyProgramFolderKeepsEveryEdit()
    {
        const QString shippedIndex = shipped() + QStringLiteral("/engines.ini");
        const QByteArray before = [&] {
            QFile f(shippedIndex);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QFile::setPermissions(shippedIndex, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile::setPermissions(shipped(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QVERIFY(profile().prepare(shipped()));
        const QString engines = profile().file(QStringLiteral("engines.ini"));
        QVERIFY(QFileInfo(engines).permissions().testFlag(QFile::WriteOwner));
        WriteINI(engines, QStringLiteral("engines"), QStringLiteral("files"), QStringLiteral("2"));
        QCOMPARE(ReadINI(engines, QStringLiteral("engines"), QStringLiteral("files")), QStringLiteral("2"));
        QFile::setPermissions(shipped(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile f(shippedIndex);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void folderIsTheUsersAlone()
    {
        QVERIFY(profile().prepare(shipped()));
        QCOMPARE(QFileInfo(profile().path()).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QFileInfo(profile().path()).ownerId(), QFileInfo(m_dir.path()).ownerId());
    }

    void nothingShippedStillMakesTheFolder()
    {
        QVERIFY(profile().prepare(m_dir.filePath(QStringLiteral("nowhere"))));
        QVERIFY(QFileInfo(profile().path()).isDir());
        QVERIFY(QDir(profile().path()).isEmpty());
    }

    // Copies a killed write left are gone at the next start; one a writer is making
    // now, and files that only look alike, stay.
    void leftoverCopiesAreRemoved()
    {
        const QStringList removed{"autotxt.ini.DJUIQP", "bookmarks/a.bookmark.txt.xYzabc", "LINKS.INI.abcdef"};
        const QStringList kept{"engines.ini.BUSYxy", "notes.ini.backup1", "photo.png.ABCDEF", "bookmark.ini.damaged",
                               ".ini.abcdef", "a.ini.abc1ef", "a.ini.abcdefg", "a.iniabcdef"};
        const QStringList planted = removed + kept;
        for (const QString &name : planted) {
            QDir().mkpath(QFileInfo(profile().file(name)).path());
            QVERIFY(QFile(profile().file(name)).open(QIODevice::WriteOnly));
        }
        QLockFile busy(profile().file(QStringLiteral("engines.ini.lock")));
        QVERIFY(busy.tryLock(0));
        QVERIFY(profile().prepare(shipped()));
        for (const QString &name : planted)
            QCOMPARE(QFileInfo::exists(profile().file(name)), kept.contains(name));
    }

    void defaultIsUnderTheUsersDataFolder()
    {
        QCOMPARE(ProfileFolder::defaultPath(), qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Vantorel/profile"));
    }
};

QTEST_GUILESS_MAIN(tst_ProfileFolder)
#include "tst_profilefolder.moc"
