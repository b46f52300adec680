#include "core/StartedProcess.h"
#include "platform/DetachedProcessLauncher.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Programs started without a shell, without waiting for them; into a file the caller made.
class tst_ProcessLauncher : public QObject
{
    Q_OBJECT

private:
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void argumentsArriveAsTheyAre()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        QVERIFY(QFile(output).open(QIODevice::WriteOnly));
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QString error;
        // No shell: blanks, "$" and ";" stay inside their argument.
        QVERIFY(launcher.startDetached(QStringLiteral("printf"),
                                       {QStringLiteral("%s|"), QStringLiteral("a b"), QStringLiteral("$HOME; echo x")},
                                       output, &error));
        QTRY_COMPARE(contents(output), QByteArray("a b|$HOME; echo x|"));
    }

    void bothChannelsAppendToTheFile()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        QFile stale(output);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("left from before\n");
        stale.close();
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QVERIFY(launcher.startDetached(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo err >&2; echo out")},
                                       output));
        QTRY_COMPARE(contents(output), QByteArray("left from before\nerr\nout\n"));
        QVERIFY(stale.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        std::unique_ptr<StartedProcess> followed(launcher.start(QStringLiteral("echo"), {QStringLiteral("more")}, output));
        QSignalSpy ended(followed.get(), &StartedProcess::finished);
        QVERIFY(ended.wait(5000));
        QCOMPARE(contents(output), QByteArray("left from before\nerr\nout\nmore\n"));
        QCOMPARE(stale.permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    void aMissingProgramIsReported()
    {
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QString error;
        QVERIFY(!launcher.startDetached(QStringLiteral("/nonexistent/program"), {}, QString(), &error));
        QVERIFY(!error.isEmpty());
        error.clear();
        QVERIFY(!launcher.start(QStringLiteral("/nonexistent/program"), {}, QString(), &error));
        QVERIFY(!error.isEmpty());
    }

    void anOutputFileIsNotMadeHere()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QString detached, followed;
        QVERIFY(!launcher.startDetached(QStringLiteral("true"), {}, output, &detached));
        QVERIFY(!launcher.start(QStringLiteral("true"), {}, output, &followed));
        QVERIFY(!detached.isEmpty() && !followed.isEmpty());
        QVERIFY(!QFile::exists(output));
    }

    void aFollowedProgramCanBeEnded()
    {
        DetachedProcessLauncher real;
        std::unique_ptr<StartedProcess> slow(real.start(QStringLiteral("sleep"), {QStringLiteral("30")}, QString(), nullptr));
        QSignalSpy ended(slow.get(), &StartedProcess::finished);
        QVERIFY(slow->running());
        slow->end();
        QVERIFY(ended.wait(3000));
        QVERIFY(!slow->running());
    }
};

QTEST_GUILESS_MAIN(tst_ProcessLauncher)
#include "tst_processlauncher.moc"
