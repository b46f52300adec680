#include "core/StartedProcess.h"
#include "platform/DetachedProcessLauncher.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Programs started without a shell: detached ones without waiting for them, followed
// ones until they end.
class tst_ProcessLauncher : public QObject
{
    Q_OBJECT

    DetachedProcessLauncher m_real;
    ProcessLauncher &m_launcher = m_real;
    std::unique_ptr<StartedProcess> m_followed;

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void make(const QString &path, const QByteArray &bytes = QByteArray())
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    bool launch(const QString &program, const QStringList &arguments, const QString &output, QString *error = nullptr)
    {
        QFETCH(bool, followed);
        if (!followed)
            return m_launcher.startDetached(program, arguments, output, error);
        m_followed.reset(m_launcher.start(program, arguments, output, error));
        return bool(m_followed);
    }
    static void both()
    {
        QTest::addColumn<bool>("followed");
        QTest::newRow("detached") << false;
        QTest::newRow("followed") << true;
    }

private slots:
    void cleanup() { m_followed.reset(); }

    void argumentsArriveAsTheyAre_data() { both(); }
    void argumentsArriveAsTheyAre()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        make(output);
        QString error;
        // No shell: blanks, "$" and ";" stay inside their argument.
        QVERIFY(launch(QStringLiteral("printf"), {QStringLiteral("%s|"), QStringLiteral("a b"), QStringLiteral("$HOME; echo x")},
                       output, &error));
        QTRY_COMPARE(contents(output), QByteArray("a b|$HOME; echo x|"));
    }

    void bothChannelsAppendToTheCallersFile_data() { both(); }
    void bothChannelsAppendToTheCallersFile()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        make(output, "made by the caller\n");
        QVERIFY(QFile::setPermissions(output, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(launch(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo err >&2; echo out")}, output));
        QTRY_COMPARE(contents(output), QByteArray("made by the caller\nerr\nout\n"));
        QCOMPARE(QFile::permissions(output), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    void whatCannotBeUsedIsRefused_data()
    {
        QTest::addColumn<bool>("followed");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("output");
        QTest::newRow("detached, no output file") << false << "true" << "missing.txt";
        QTest::newRow("followed, no output file") << true << "true" << "missing.txt";
        QTest::newRow("detached, no program") << false << "/nonexistent/program" << "";
        QTest::newRow("followed, no program") << true << "/nonexistent/program" << "";
    }
    void whatCannotBeUsedIsRefused()
    {
        QFETCH(QString, program);
        QFETCH(QString, output);
        QTemporaryDir dir;
        const QString path = output.isEmpty() ? output : dir.filePath(output);
        QString error;
        QVERIFY(!launch(program, {}, path, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(path.isEmpty() || !QFile::exists(path));
    }

    void aFollowedProgramSaysWhenItEndsAndCanBeEnded()
    {
        std::unique_ptr<StartedProcess> quick(m_launcher.start(QStringLiteral("true"), {}, QString()));
        QSignalSpy quickEnded(quick.get(), &StartedProcess::finished);
        QVERIFY(quickEnded.wait(5000));
        QVERIFY(!quick->running());

        std::unique_ptr<StartedProcess> slow(m_launcher.start(QStringLiteral("sleep"), {QStringLiteral("30")}, QString()));
        QSignalSpy slowEnded(slow.get(), &StartedProcess::finished);
        QTRY_VERIFY(slow->running());
        QVERIFY(!slowEnded.wait(200));
        slow->end();
        QVERIFY(slowEnded.wait(3000));
        QVERIFY(!slow->running());
    }
};

QTEST_GUILESS_MAIN(tst_ProcessLauncher)
#include "tst_processlauncher.moc"
