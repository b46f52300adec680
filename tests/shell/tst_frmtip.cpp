#include "MainWindow.h"
#include "ModalWatcher.h"
#include "ScriptedBrowser.h"
#include "TestApp.h"
#include "shell/Startup.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmTip.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>

namespace {

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder(text);
}

QString tipsFlag(TestApp &app)
{
    return app.settings().get(app.context.tipsApplication, QStringLiteral("Options"), QStringLiteral("Showtips"),
                              QStringLiteral("absent"));
}

} // namespace

class tst_frmTip : public QObject
{
    Q_OBJECT

private slots:
    void missingFileShowsHowToCreateIt()
    {
        TestApp app;
        QFile::remove(app.file(QStringLiteral("TIPOFDAY.TXT")));
        frmTip tip(app.context);
        QVERIFY(tip.Form_Load());
        const QString expected = QStringLiteral("文件 TIPOFDAY.TXT 没有被找到吗? \r\n\r\n创建文本文件名为 TIPOFDAY.TXT "
                                                "使用记事本每行写一条提示。 然后将它存放在应用程序所在的目录 ");
        QCOMPARE(tip.tipText(), expected);
        tip.findChild<QPushButton *>(QStringLiteral("cmdNextTip"))->click();
        QCOMPARE(tip.tipText(), expected);
        QVERIFY(tip.chkLoadTipsAtStartup->isChecked());
    }

    void oneLineFileShowsThatLineAlways()
    {
        TestApp app;
        app.writeFile(QStringLiteral("TIPOFDAY.TXT"), gbk(QStringLiteral("只有一条提示\r\n")));
        frmTip tip(app.context);
        QVERIFY(tip.Form_Load());
        QCOMPARE(tip.tipText(), QStringLiteral("只有一条提示"));
        for (int i = 0; i < 5; ++i) {
            tip.findChild<QPushButton *>(QStringLiteral("cmdNextTip"))->click();
            QCOMPARE(tip.tipText(), QStringLiteral("只有一条提示"));
        }
    }

    void everyLineIsATipEmptyOnesToo()
    {
        TestApp app;
        app.writeFile(QStringLiteral("TIPOFDAY.TXT"), gbk(QStringLiteral("甲\r\n\r\n乙\r\n")));
        frmTip tip(app.context);
        QVERIFY(tip.LoadTips(app.file(QStringLiteral("TIPOFDAY.TXT"))));
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) {
            tip.ShowRandomTip();
            QVERIFY(tip.currentTip() >= 1 && tip.currentTip() <= 3);
            seen.insert(tip.tipText());
        }
        QCOMPARE(seen, (QSet<QString>{QStringLiteral("甲"), QString(), QStringLiteral("乙")}));
    }

    void emptyFileCountsAsFound()
    {
        TestApp app;
        app.writeFile(QStringLiteral("TIPOFDAY.TXT"), QByteArray());
        frmTip tip(app.context);
        QVERIFY(tip.LoadTips(app.file(QStringLiteral("TIPOFDAY.TXT"))));
        QVERIFY(tip.tipText().isEmpty());
        QVERIFY(!tip.LoadTips(QString()));
        QVERIFY(!tip.LoadTips(app.file(QStringLiteral("nothing.txt"))));
    }

    void onlyFlagOneShowsTheDialogAtStart_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("shown");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("1") << QStringLiteral("1") << true;
        QTest::newRow("1.0") << QStringLiteral("1.0") << true;
        QTest::newRow("0") << QStringLiteral("0") << false;
        QTest::newRow("2") << QStringLiteral("2") << false;
        QTest::newRow("0.5") << QStringLiteral("0.5") << false;
        QTest::newRow("-1") << QStringLiteral("-1") << false;
    }
    void onlyFlagOneShowsTheDialogAtStart()
    {
        QFETCH(QString, flag);
        QFETCH(bool, shown);
        TestApp app;
        ScriptedBrowsers browsers;
        app.context.browsers = &browsers;
        if (!flag.isNull())
            app.settings().save(app.context.tipsApplication, QStringLiteral("Options"), QStringLiteral("ShowTips"),
                                flag);
        // Lives no longer than this row, as the dialog may never come.
        bool came = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&came] {
            if (auto *tip = qobject_cast<frmTip *>(QApplication::activeModalWidget())) {
                came = true;
                tip->accept();
            }
        });
        watch.start(10);
        const auto main = Startup::launch(app.context, QStringLiteral("vantorel"));
        QCOMPARE(came, shown);
        QVERIFY(main->isVisible());
    }

    void clearingTheBoxWritesZero()
    {
        TestApp app;
        frmTip tip(app.context);
        QVERIFY(tip.Form_Load());
        tip.chkLoadTipsAtStartup->click();
        QCOMPARE(tipsFlag(app), QStringLiteral("0"));
        tip.chkLoadTipsAtStartup->click();
        QCOMPARE(tipsFlag(app), QStringLiteral("1"));
    }

    void helpMenuWritesOneAndShowsTheDialog()
    {
        TestApp app;
        app.settings().save(app.context.tipsApplication, QStringLiteral("Options"), QStringLiteral("ShowTips"),
                            QStringLiteral("0"));
        frmMain main(app.context);
        bool shown = false;
        bool ticked = false;
        const ModalWatch watched = whenModalShown<frmTip>([&](frmTip *tip) {
            shown = true;
            ticked = tip->chkLoadTipsAtStartup->isChecked();
            tip->accept();
        });
        action(main, QStringLiteral("mnuHelpShowtip"))->trigger();
        QVERIFY(shown);
        QVERIFY(ticked);
        QCOMPARE(tipsFlag(app), QStringLiteral("1"));
    }

    void shippedTipsAreGbkLines()
    {
        TestApp app;
        frmTip tip(app.context);
        QVERIFY(tip.Form_Load());
        QVERIFY(!tip.tipText().isEmpty());
        QVERIFY(!tip.tipText().contains(QChar::ReplacementCharacter));
    }

    void aboutShowsVersion()
    {
        TestApp app;
        frmAbout about(app.folder());
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Vantorel II"));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("版本 2.0.108"));
        QCOMPARE(about.windowTitle(), QStringLiteral("关于 Vantorel"));
    }
};

QTEST_MAIN(tst_frmTip)
#include "tst_frmtip.moc"
