#include "TestApp.h"
#include "app/SidePanel.h"
#include "document/BrowserControl.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

class tst_SidePanel : public QObject
{
    Q_OBJECT

private:
    // The panel shown on its own, 224 px (3360 twips) wide, with its layouts settled.
    static void show(SidePanel &panel)
    {
        panel.resize(panel.width(), 480);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
    }
    static QWidget *page(SidePanel &panel, int index)
    {
        return panel.findChild<QWidget *>(QStringLiteral("PIC%1").arg(index));
    }
    static int bottom(QWidget *w, QWidget *relativeTo)
    {
        return w->mapTo(relativeTo, QPoint(0, w->height())).y();
    }
    static int top(QWidget *w, QWidget *relativeTo) { return w->mapTo(relativeTo, QPoint(0, 0)).y(); }

private slots:
    void startWidths()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        QCOMPARE(panel.widthTwips(), 3360);
        QCOMPARE(panel.width(), 224);
        QCOMPARE(panel.tabs->width(), 220);
        QCOMPARE(page(panel, 1)->width(), 216);
        QCOMPARE(panel.SearchEngine->width(), 216);
        QCOMPARE(panel.SearchKey->width(), 212);
        // A page is laid out when it is shown.
        for (int i = 2; i <= 6; ++i) {
            panel.selectTab(i);
            QCOMPARE(page(panel, i)->width(), 216);
        }
    }

    void widenThreeTimes()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(panel.btnListgetBigger, Qt::LeftButton);
        QCOMPARE(panel.widthTwips(), 3720);
        QTRY_COMPARE(panel.width(), 3720 / 15);
        QTRY_COMPARE(panel.tabs->width(), 3660 / 15);
        QCOMPARE(page(panel, 1)->width(), 3600 / 15);
        QCOMPARE(panel.SearchKey->width(), 3540 / 15);
    }

    void narrowStopsAtZero()
    {
        TestApp app;
        SidePanel panel(app.context);
        panel.setWidthTwips(250);
        panel.btnListgetSmaller_Click();
        QCOMPARE(panel.widthTwips(), 130);
        panel.btnListgetSmaller_Click();
        QCOMPARE(panel.widthTwips(), 10);
        panel.btnListgetSmaller_Click();
        QCOMPARE(panel.widthTwips(), 10);
        panel.setWidthTwips(-300);
        QCOMPARE(panel.widthTwips(), 0);
        QCOMPARE(panel.maximumWidth(), 0);
        panel.setWidthTwips(240);
        panel.btnListgetSmaller_Click();
        panel.btnListgetSmaller_Click();
        QCOMPARE(panel.widthTwips(), 0);
        panel.btnListgetSmaller_Click();
        QCOMPARE(panel.widthTwips(), 0);
    }

    void namesAndCaptions()
    {
        TestApp app;
        SidePanel panel(app.context);
        QCOMPARE(panel.objectName(), QStringLiteral("list"));
        const QList<QPair<QPushButton *, QString>> buttons = {
            {panel.btnListgetSmaller, QStringLiteral("btnListgetSmaller|<-缩小")},
            {panel.btnTurnofflist, QStringLiteral("btnTurnofflist|-隐藏-")},
            {panel.btnListgetBigger, QStringLiteral("btnListgetBigger|增大->")},
            {panel.GoSearch, QStringLiteral("GoSearch|开始搜索")},
            {panel.cmdRefreshEngines, QStringLiteral("cmdRefreshEngines|刷新")},
            {panel.cmdVISIT, QStringLiteral("cmdVISIT|访问")},
            {panel.btnBookmarkChange, QStringLiteral("btnBookmarkChange|属性")},
            {panel.btnBookmarkAdd, QStringLiteral("btnBookmarkAdd|添加")},
            {panel.btnBookmarkDel, QStringLiteral("btnBookmarkDel|删除")},
            {panel.btnBookmarkEdit, QStringLiteral("btnBookmarkEdit|管理")},
            {panel.btnBookmarkRefresh, QStringLiteral("btnBookmarkRefresh|刷新")},
            {panel.cmdEDITAUTOtxt, QStringLiteral("cmdEDITAUTOtxt|修改选定项")},
            {panel.cmdSendSELECTEDITEM, QStringLiteral("cmdSendSELECTEDITEM|发送选定项")},
            {panel.cmdMailSend, QStringLiteral("cmdMailSend|发送")},
            {panel.cmdMailReset, QStringLiteral("cmdMailReset|重写")},
            {panel.IPrefresh, QStringLiteral("IPrefresh|刷新")},
            {panel.cmdPING, QStringLiteral("cmdPING|PING")},
            {panel.cmdViewLOCALport, QStringLiteral("cmdViewLOCALport|察看活动连接及端口(NetStat)")},
            {panel.cmdHelpHomepage, QStringLiteral("cmdHelpHomepage|回到顶部")},
        };
        for (const auto &[button, expected] : buttons)
            QCOMPARE(button->objectName() + QLatin1Char('|') + button->text(), expected);

        QCOMPARE(panel.tabs->objectName(), QStringLiteral("tabs"));
        const QStringList captions = {QStringLiteral("搜索引擎"), QStringLiteral("书签管理"), QStringLiteral("自动填表"),
                                      QStringLiteral("电子邮件"), QStringLiteral("实用工具"), QStringLiteral("系统帮助")};
        QCOMPARE(panel.tabs->count(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(panel.tabs->tabText(i), captions.at(i));
            QCOMPARE(panel.tabs->widget(i)->objectName(), QStringLiteral("PIC%1").arg(i + 1));
        }

        QCOMPARE(panel.SearchKey->objectName(), QStringLiteral("SearchKey"));
        QVERIFY(panel.SearchKey->isEditable());
        QCOMPARE(panel.SearchEngine->objectName(), QStringLiteral("SearchEngine"));
        QCOMPARE(panel.txtURLbk->objectName(), QStringLiteral("txtURLbk"));
        QCOMPARE(panel.Bookmarks->objectName(), QStringLiteral("Bookmarks"));
        QCOMPARE(panel.lstAutotxt->objectName(), QStringLiteral("lstAutotxt"));
        QCOMPARE(panel.txtMailTO->objectName() + panel.txtMailTO->text(), QStringLiteral("txtMailTO收件人地址"));
        QCOMPARE(panel.txtMailSubject->objectName() + panel.txtMailSubject->text(), QStringLiteral("txtMailSubject主题"));
        QCOMPARE(panel.txtMail->objectName() + panel.txtMail->toPlainText(), QStringLiteral("txtMail邮件正文"));
        QCOMPARE(panel.StatusTXT->objectName() + panel.StatusTXT->text(), QStringLiteral("StatusTXTWinsock状态"));
        QCOMPARE(panel.txtLocalIP->objectName() + panel.txtLocalIP->text(), QStringLiteral("txtLocalIP本地IP："));
        QCOMPARE(panel.txtPINGHOST->objectName() + panel.txtPINGHOST->text(), QStringLiteral("txtPINGHOST"));
        QCOMPARE(panel.txtCommandOUTPUT->objectName() + panel.txtCommandOUTPUT->toPlainText(),
                 QStringLiteral("txtCommandOUTPUT命令输出\n"));
        QCOMPARE(panel.webhelp->objectName(), QStringLiteral("webhelp"));
        QVERIFY(page(panel, 6)->isAncestorOf(panel.webhelp));
    }

    void fixedButtonSizes()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        QCOMPARE(panel.btnListgetBigger->size(), QSize(49, 17));
        QCOMPARE(panel.btnTurnofflist->y(), panel.btnListgetBigger->y());
        QVERIFY(panel.btnListgetSmaller->x() < panel.btnTurnofflist->x());
        QVERIFY(panel.btnTurnofflist->x() < panel.btnListgetBigger->x());
        QVERIFY(panel.tabs->y() >= bottom(panel.btnListgetBigger, &panel) - 1);
        QCOMPARE(panel.cmdVISIT->size(), QSize(41, 17));
        QCOMPARE(panel.cmdViewLOCALport->size(), QSize(193, 17));
        QCOMPARE(panel.GoSearch->size(), QSize(65, 17));
    }

    void pageRelations()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        panel.btnListgetBigger_Click();
        for (int tab = 1; tab <= 6; ++tab) {
            panel.selectTab(tab);
            QWidget *p = page(panel, tab);
            QTRY_VERIFY(p->isVisible());
            QCOMPARE(p->width(), panel.tabs->width() - 4);
        }
        QWidget *bookmarkPage = page(panel, 2);
        QCOMPARE(panel.txtURLbk->width() + panel.cmdVISIT->width(), bookmarkPage->width());
        QCOMPARE(panel.cmdVISIT->x(), panel.txtURLbk->width());
        QCOMPARE(panel.Bookmarks->width(), bookmarkPage->width());
        QCOMPARE(bottom(panel.Bookmarks, bookmarkPage), bookmarkPage->height());
        QCOMPARE(bottom(panel.lstAutotxt, page(panel, 3)), bottom(panel.Bookmarks, bookmarkPage));
        QCOMPARE(panel.lstAutotxt->width(), bookmarkPage->width());

        QWidget *tools = page(panel, 5);
        QCOMPARE(panel.IPrefresh->x(), panel.txtLocalIP->width());
        QCOMPARE(panel.cmdPING->x(), panel.IPrefresh->x());
        QCOMPARE(panel.txtPINGHOST->width(), panel.txtLocalIP->width());
        QCOMPARE(panel.txtLocalIP->width() + panel.cmdPING->width(), tools->width());
        QCOMPARE(panel.txtCommandOUTPUT->width(), tools->width());
        QCOMPARE(bottom(panel.txtCommandOUTPUT, tools), tools->height());
        QVERIFY(top(panel.cmdViewLOCALport, tools) < top(panel.txtCommandOUTPUT, tools));

        QWidget *help = page(panel, 6);
        QCOMPARE(panel.webhelp->width(), help->width());
        QCOMPARE(bottom(panel.webhelp, help), help->height());
        QVERIFY(top(panel.webhelp, help) >= bottom(panel.cmdHelpHomepage, help));
    }

    void mailPageRelations()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        panel.selectTab(4);
        QWidget *mail = page(panel, 4);
        for (int height : {480, 640, 360}) {
            panel.resize(panel.width(), height);
            QTRY_COMPARE(panel.height(), height);
            QCOMPARE(bottom(panel.txtMail, mail), top(panel.cmdMailSend, mail));
            QCOMPARE(top(panel.cmdMailReset, mail), top(panel.cmdMailSend, mail));
            QCOMPARE(top(panel.StatusTXT, mail), bottom(panel.cmdMailSend, mail));
            QCOMPARE(panel.txtMailTO->width(), mail->width());
            QCOMPARE(panel.txtMailSubject->width(), mail->width());
            QCOMPARE(panel.txtMail->width(), mail->width());
        }
    }

    void hideButtonAsksToHide()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        QSignalSpy hide(&panel, &SidePanel::hideRequested);
        QTest::mouseClick(panel.btnTurnofflist, Qt::LeftButton);
        QCOMPARE(hide.count(), 1);
        QCOMPARE(panel.widthTwips(), 3360);
    }

    void onePageVisible()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        QCOMPARE(panel.currentTab(), 1);
        for (int tab : {1, 3, 6, 2, 5, 4}) {
            panel.selectTab(tab);
            QCOMPARE(panel.currentTab(), tab);
            for (int i = 1; i <= 6; ++i)
                QCOMPARE(page(panel, i)->isVisible(), i == tab);
        }
        panel.tabs->setCurrentIndex(2);
        QCOMPARE(panel.currentTab(), 3);
        QVERIFY(page(panel, 3)->isVisible());
        QVERIFY(!page(panel, 4)->isVisible());
    }

    void toolsTabAsksForLocalAddress()
    {
        TestApp app;
        SidePanel panel(app.context);
        QSignalSpy refresh(&panel, &SidePanel::localAddressRefreshRequested);
        panel.selectTab(5);
        QCOMPARE(refresh.count(), 1);
        panel.selectTab(5);
        QCOMPARE(refresh.count(), 2);
        panel.selectTab(1);
        panel.tabs->setCurrentIndex(4); // as a click on the strip does
        QCOMPARE(refresh.count(), 3);
        panel.selectTab(6);
        QCOMPARE(refresh.count(), 3);
    }

    void helpLoadsOnlyWhenChosen()
    {
        TestApp app;
        SidePanel panel(app.context);
        QSignalSpy begin(panel.webhelp, &BrowserControl::DownloadBegin);
        QSignalSpy complete(panel.webhelp, &BrowserControl::DocumentComplete);
        show(panel);
        for (int tab = 1; tab <= 5; ++tab)
            panel.selectTab(tab);
        QTest::qWait(300);
        QCOMPARE(begin.count(), 0);
        QCOMPARE(complete.count(), 0);
        QVERIFY(panel.webhelp->locationURL().isEmpty());
    }

    void helpTabLoadsEveryTime()
    {
        TestApp app;
        SidePanel panel(app.context);
        show(panel);
        QCOMPARE(panel.helpAddress(), app.file(QStringLiteral("help.htm")));
        QSignalSpy complete(panel.webhelp, &BrowserControl::DocumentComplete);
        panel.selectTab(6);
        QTRY_COMPARE(complete.count(), 1);
        QVERIFY(complete.at(0).at(0).toString().endsWith(QLatin1String("help.htm")));
        QVERIFY(panel.webhelp->locationURL().endsWith(QLatin1String("help.htm")));
        panel.selectTab(6);
        QTRY_COMPARE(complete.count(), 2);
        panel.selectTab(2);
        panel.selectTab(6);
        QTRY_COMPARE(complete.count(), 3);
        QTest::mouseClick(panel.cmdHelpHomepage, Qt::LeftButton);
        QTRY_COMPARE(complete.count(), 4);
        QVERIFY(complete.at(3).at(0).toString().endsWith(QLatin1String("help.htm")));
    }
};

QTEST_MAIN(tst_SidePanel)
#include "tst_sidepanel.moc"
