#include "platform/RenderingChoice.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_RenderingChoice : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qunsetenv("QT_QUICK_BACKEND");
        qunsetenv("QT_XCB_GL_INTEGRATION");
    }

    void softwareWithoutARenderNode()
    {
        QTemporaryDir dri;
        QFile(dri.filePath(QStringLiteral("card0"))).open(QIODevice::WriteOnly);
        QVERIFY(RenderingChoice::gpuAbsent(dri.path()));
        QVERIFY(RenderingChoice::gpuAbsent(dri.filePath(QStringLiteral("missing"))));
        QVERIFY(RenderingChoice::chooseBackend(dri.path()));
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
        QCOMPARE(qgetenv("QT_XCB_GL_INTEGRATION"), QByteArray("none"));
    }

    // Drawing in software without a GPU loads no OpenGL, unless the user chose otherwise.
    void openGLOnlyWhereItDraws_data()
    {
        QTest::addColumn<QByteArray>("backend");
        QTest::addColumn<QByteArray>("integration");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("software asked for") << QByteArray("software") << QByteArray() << QByteArray("none");
        QTest::newRow("OpenGL asked for") << QByteArray("opengl") << QByteArray() << QByteArray();
        QTest::newRow("integration chosen") << QByteArray("software") << QByteArray("xcb_glx") << QByteArray("xcb_glx");
    }
    void openGLOnlyWhereItDraws()
    {
        QFETCH(QByteArray, backend);
        QFETCH(QByteArray, integration);
        QFETCH(QByteArray, expected);
        qputenv("QT_QUICK_BACKEND", backend);
        if (!integration.isEmpty())
            qputenv("QT_XCB_GL_INTEGRATION", integration);
        QTemporaryDir empty;
        QVERIFY(!RenderingChoice::chooseBackend(empty.path()));
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), backend);
        QCOMPARE(qgetenv("QT_XCB_GL_INTEGRATION"), expected);
    }

    void gpuKeepsTheDefault()
    {
        QTemporaryDir dri;
        QFile(dri.filePath(QStringLiteral("renderD128"))).open(QIODevice::WriteOnly);
        QVERIFY(!RenderingChoice::gpuAbsent(dri.path()));
        QVERIFY(!RenderingChoice::chooseBackend(dri.path()));
        QVERIFY(!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"));
        QVERIFY(!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"));
    }

    void theUsersChoiceStands()
    {
        qputenv("QT_QUICK_BACKEND", "rhi");
        QTemporaryDir empty;
        QVERIFY(!RenderingChoice::chooseBackend(empty.path()));
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("rhi"));
    }
};

QTEST_GUILESS_MAIN(tst_RenderingChoice)
#include "tst_renderingchoice.moc"
