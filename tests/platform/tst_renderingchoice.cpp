#include "platform/RenderingChoice.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_RenderingChoice : public QObject
{
    Q_OBJECT

private slots:
    void init() { qunsetenv("QT_QUICK_BACKEND"); }

    void softwareWithoutARenderNode()
    {
        QTemporaryDir dri;
        QFile(dri.filePath(QStringLiteral("card0"))).open(QIODevice::WriteOnly);
        QVERIFY(RenderingChoice::gpuAbsent(dri.path()));
        QVERIFY(RenderingChoice::gpuAbsent(dri.filePath(QStringLiteral("missing"))));
        QVERIFY(RenderingChoice::chooseBackend(dri.path()));
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
    }

    void gpuKeepsTheDefault()
    {
        QTemporaryDir dri;
        QFile(dri.filePath(QStringLiteral("renderD128"))).open(QIODevice::WriteOnly);
        QVERIFY(!RenderingChoice::gpuAbsent(dri.path()));
        QVERIFY(!RenderingChoice::chooseBackend(dri.path()));
        QVERIFY(!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"));
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
