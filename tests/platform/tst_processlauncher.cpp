#include "platform/DetachedProcessLauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Programs started without a shell and without waiting for them.
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
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QString error;
        // No shell: blanks, "$" and ";" stay inside their argument.
        QVERIFY(launcher.startDetached(QStringLiteral("printf"),
                                       {QStringLiteral("%s|"), QStringLiteral("a b"), QStringLiteral("$HOME; echo x")},
                                       output, &error));
        QTRY_COMPARE(contents(output), QByteArray("a b|$HOME; echo x|"));
    }

    void bothChannelsGoIntoTheFile()
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
        QTRY_COMPARE(contents(output), QByteArray("err\nout\n"));
    }

    void aMissingProgramIsReported()
    {
        DetachedProcessLauncher real;
        ProcessLauncher &launcher = real;
        QString error;
        QVERIFY(!launcher.startDetached(QStringLiteral("/nonexistent/program"), {}, QString(), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ProcessLauncher)
#include "tst_processlauncher.moc"
