#include "Named.h"
#include "TestApp.h"
#include "document/BrowserControl.h"
#include "shell/SidePanel.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

// The side panel as the main window holds it, with every subsystem's page.
class tst_SidePanel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<frmMain> m_main;
    SidePanel *m_panel = nullptr;

    SidePanel &panel() { return *m_panel; }
    // The main window shown with the panel 224 px (3360 twips) wide, its layouts settled.
    void show(int height = 540)
    {
        m_main->resize(900, height);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    QWidget *page(int index) { return child(m_panel, QStringLiteral("PIC%1").arg(index)); }
    template<typename T = QWidget>
    T *w(const char *name)
    {
        return child<T>(m_panel, QLatin1String(name));
    }
    static int bottom(QWidget *w, QWidget *relativeTo)
    {
        return w->mapTo(relativeTo, QPoint(0, w->height())).y();
    }
    static int top(QWidget *w, QWidget *relativeTo) { return w->mapTo(relativeTo, QPoint(0, 0)).y(); }

private slots:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        m_main = std::make_unique<frmMain>(m_app->context);
        m_panel = m_main->list;
    }
    void cleanup()
    {
        m_main.reset();
        m_app.reset();
    }

    void startWidths()
    {
        show();
        QCOMPARE(panel().widthTwips(), 3360);
        QCOMPARE(panel().width(), 224);
        QCOMPARE(panel().tabs->width(), 220);
        QCOMPARE(page(1)->width(), 216);
        QCOMPARE(w("SearchEngine")->width(), 216);
        QCOMPARE(w("SearchKey")->width(), 212);
        // A page is laid out when it is shown.
        for (int i = 2; i <= 6; ++i) {
            panel().selectTab(i);
            QCOMPARE(page(i)->width(), 216);
        }
    }

    void widenThreeTimes()
    {
        show();
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(panel().btnListgetBigger, Qt::LeftButton);
        QCOMPARE(panel().widthTwips(), 3720);
        QTRY_COMPARE(panel().width(), 3720 / 15);
        QTRY_COMPARE(panel().tabs->width(), 3660 / 15);
        QCOMPARE(page(1)->width(), 3600 / 15);
        QCOMPARE(w("SearchKey")->width(), 3540 / 15);
    }

    void narrowStopsAtZero()
    {
        panel().setWidthTwips(250);
        panel().btnListgetSmaller_Click();
        QCOMPARE(panel().widthTwips(), 130);
        panel().btnListgetSmaller_Click();
        QCOMPARE(panel().widthTwips(), 10);
        panel().btnListgetSmaller_Click();
        QCOMPARE(panel().widthTwips(), 10);
        panel().setWidthTwips(-300);
        QCOMPARE(panel().widthTwips(), 0);
        QCOMPARE(panel().maximumWidth(), 0);
        panel().setWidthTwips(240);
        panel().btnListgetSmaller_Click();
        panel().btnListgetSmaller_Click();
        QCOMPARE(panel().widthTwips(), 0);
        panel().btnListgetSmaller_Click();
        QCOMPARE(panel().widthTwips(), 0);
    }

    void namesAndCaptions()
    {
        QCOMPARE(panel().objectName(), QStringLiteral("list"));
        const QStringList buttons = {
            QStringLiteral("btnListgetSmaller|<-缩小"),  QStringLiteral("btnTurnofflist|-隐藏-"),
            QStringLiteral("btnListgetBigger|增大->"),   QStringLiteral("GoSearch|开始搜索"),
            QStringLiteral("cmdRefreshEngines|刷新"),    QStringLiteral("cmdVISIT|访问"),
            QStringLiteral("btnBookmarkChange|属性"),    QStringLiteral("btnBookmarkAdd|添加"),
            QStringLiteral("btnBookmarkDel|删除"),       QStringLiteral("btnBookmarkEdit|管理"),
            QStringLiteral("btnBookmarkRefresh|刷新"),   QStringLiteral("cmdEDITAUTOtxt|修改选定项"),
            QStringLiteral("cmdSendSELECTEDITEM|发送选定项"), QStringLiteral("cmdMailSend|发送"),
            QStringLiteral("cmdMailReset|重写"),         QStringLiteral("IPrefresh|刷新"),
            QStringLiteral("cmdPING|PING"),              QStringLiteral("cmdViewLOCALport|察看活动连接及端口(NetStat)"),
            QStringLiteral("cmdHelpHomepage|回到顶部"),
        };
        for (const QString &expected : buttons) {
            auto *button = child<QPushButton>(m_panel, expected.section(u'|', 0, 0));
            QVERIFY(button);
            QCOMPARE(button->objectName() + QLatin1Char('|') + button->text(), expected);
        }

        QCOMPARE(panel().tabs->objectName(), QStringLiteral("tabs"));
        const QStringList captions = {QStringLiteral("搜索引擎"), QStringLiteral("书签管理"), QStringLiteral("自动填表"),
                                      QStringLiteral("电子邮件"), QStringLiteral("实用工具"), QStringLiteral("系统帮助")};
        QCOMPARE(panel().tabs->count(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(panel().tabs->tabText(i), captions.at(i));
            QCOMPARE(panel().tabs->widget(i)->objectName(), QStringLiteral("PIC%1").arg(i + 1));
        }
        QVERIFY(w<QComboBox>("SearchKey")->isEditable());
        QVERIFY(page(1)->isAncestorOf(w<QTreeWidget>("SearchEngine")));
        QVERIFY(page(2)->isAncestorOf(w<QTreeView>("Bookmarks")));
        QVERIFY(page(2)->isAncestorOf(w<QLineEdit>("txtURLbk")));
        QVERIFY(page(3)->isAncestorOf(w<QListWidget>("lstAutotxt")));
        QCOMPARE(w<QLineEdit>("txtMailTO")->text(), QStringLiteral("收件人地址"));
        QCOMPARE(w<QLineEdit>("txtMailSubject")->text(), QStringLiteral("主题"));
        QCOMPARE(w<QPlainTextEdit>("txtMail")->toPlainText(), QStringLiteral("邮件正文"));
        QCOMPARE(w<QLabel>("StatusTXT")->text(), QStringLiteral("Winsock状态"));
        QCOMPARE(w<QLineEdit>("txtLocalIP")->text(), QStringLiteral("本地IP："));
        QCOMPARE(w<QLineEdit>("txtPINGHOST")->text(), QString());
        QCOMPARE(w<QPlainTextEdit>("txtCommandOUTPUT")->toPlainText(), QStringLiteral("命令输出\n"));
        panel().selectTab(6);
        QCOMPARE(panel().helpBrowser()->objectName(), QStringLiteral("webhelp"));
        QVERIFY(page(6)->isAncestorOf(panel().helpBrowser()));
    }

    void fixedButtonSizes()
    {
        show();
        QCOMPARE(panel().btnListgetBigger->size(), QSize(49, 17));
        QCOMPARE(panel().btnTurnofflist->y(), panel().btnListgetBigger->y());
        QVERIFY(panel().btnListgetSmaller->x() < panel().btnTurnofflist->x());
        QVERIFY(panel().btnTurnofflist->x() < panel().btnListgetBigger->x());
        QVERIFY(panel().tabs->y() >= bottom(panel().btnListgetBigger, m_panel) - 1);
        QCOMPARE(w("cmdVISIT")->size(), QSize(41, 17));
        QCOMPARE(w("cmdViewLOCALport")->size(), QSize(193, 17));
        QCOMPARE(w("GoSearch")->size(), QSize(65, 17));
    }

    void pageRelations()
    {
        show();
        panel().btnListgetBigger_Click();
        for (int tab = 1; tab <= 6; ++tab) {
            panel().selectTab(tab);
            QWidget *p = page(tab);
            QTRY_VERIFY(p->isVisible());
            QCOMPARE(p->width(), panel().tabs->width() - 4);
        }
        QWidget *bookmarkPage = page(2);
        QWidget *address = w("txtURLbk");
        QWidget *visit = w("cmdVISIT");
        QWidget *tree = w("Bookmarks");
        QCOMPARE(address->width() + visit->width(), bookmarkPage->width());
        QCOMPARE(visit->x(), address->width());
        QCOMPARE(tree->width(), bookmarkPage->width());
        QCOMPARE(bottom(tree, bookmarkPage), bookmarkPage->height());
        QCOMPARE(bottom(w("lstAutotxt"), page(3)), bottom(tree, bookmarkPage));
        QCOMPARE(w("lstAutotxt")->width(), bookmarkPage->width());

        QWidget *tools = page(5);
        QWidget *localIP = w("txtLocalIP");
        QWidget *output = w("txtCommandOUTPUT");
        QCOMPARE(w("IPrefresh")->x(), localIP->width());
        QCOMPARE(w("cmdPING")->x(), w("IPrefresh")->x());
        QCOMPARE(w("txtPINGHOST")->width(), localIP->width());
        QCOMPARE(localIP->width() + w("cmdPING")->width(), tools->width());
        QCOMPARE(output->width(), tools->width());
        QCOMPARE(bottom(output, tools), tools->height());
        QVERIFY(top(w("cmdViewLOCALport"), tools) < top(output, tools));

        QWidget *help = page(6);
        QWidget *webhelp = panel().helpBrowser();
        QTRY_COMPARE(webhelp->width(), help->width());
        QTRY_COMPARE(bottom(webhelp, help), help->height());
        QVERIFY(top(webhelp, help) >= bottom(panel().cmdHelpHomepage, help));
    }

    void mailPageRelations()
    {
        show();
        panel().selectTab(4);
        QWidget *mail = page(4);
        for (int height : {540, 700, 420}) {
            m_main->resize(900, height);
            QTRY_COMPARE(m_main->height(), height);
            QCOMPARE(bottom(w("txtMail"), mail), top(w("cmdMailSend"), mail));
            QCOMPARE(top(w("cmdMailReset"), mail), top(w("cmdMailSend"), mail));
            QCOMPARE(top(w("StatusTXT"), mail), bottom(w("cmdMailSend"), mail));
            for (const char *field : {"txtMailTO", "txtMailSubject", "txtMail"})
                QCOMPARE(w(field)->width(), mail->width());
        }
    }

    void hideButtonAsksToHide()
    {
        show();
        QSignalSpy hide(m_panel, &SidePanel::hideRequested);
        QTest::mouseClick(panel().btnTurnofflist, Qt::LeftButton);
        QCOMPARE(hide.count(), 1);
        QCOMPARE(panel().widthTwips(), 3360);
    }

    void onePageVisible()
    {
        show();
        QCOMPARE(panel().currentTab(), 1);
        for (int tab : {1, 3, 6, 2, 5, 4}) {
            panel().selectTab(tab);
            QCOMPARE(panel().currentTab(), tab);
            for (int i = 1; i <= 6; ++i)
                QCOMPARE(page(i)->isVisible(), i == tab);
        }
        panel().tabs->setCurrentIndex(2);
        QCOMPARE(panel().currentTab(), 3);
        QVERIFY(page(3)->isVisible());
        QVERIFY(!page(4)->isVisible());
    }

    void toolsTabAsksForLocalAddress()
    {
        QSignalSpy refresh(m_panel, &SidePanel::localAddressRefreshRequested);
        panel().selectTab(5);
        QCOMPARE(refresh.count(), 1);
        panel().selectTab(5);
        QCOMPARE(refresh.count(), 2);
        panel().selectTab(1);
        panel().tabs->setCurrentIndex(4); // as a click on the strip does
        QCOMPARE(refresh.count(), 3);
        panel().selectTab(6);
        QCOMPARE(refresh.count(), 3);
    }

    // The help page's browser is not even made until the page is chosen.
    void helpLoadsOnlyWhenChosen()
    {
        show();
        for (int tab = 1; tab <= 5; ++tab)
            panel().selectTab(tab);
        QVERIFY(!panel().helpBrowser());
        QVERIFY(!m_panel->findChild<BrowserControl *>());
    }

    void helpTabLoadsEveryTime()
    {
        show();
        QCOMPARE(panel().helpAddress(), m_app->file(QStringLiteral("help.htm")));
        panel().selectTab(6);
        QSignalSpy complete(panel().helpBrowser(), &BrowserControl::DocumentComplete);
        QTRY_COMPARE(complete.count(), 1);
        QVERIFY(complete.at(0).at(0).toString().endsWith(QLatin1String("help.htm")));
        QVERIFY(panel().helpBrowser()->locationURL().endsWith(QLatin1String("help.htm")));
        panel().selectTab(6);
        QTRY_COMPARE(complete.count(), 2);
        panel().selectTab(2);
        panel().selectTab(6);
        QTRY_COMPARE(complete.count(), 3);
        QTest::mouseClick(panel().cmdHelpHomepage, Qt::LeftButton);
        QTRY_COMPARE(complete.count(), 4);
        QVERIFY(complete.at(3).at(0).toString().endsWith(QLatin1String("help.htm")));
    }
};

QTEST_MAIN(tst_SidePanel)
#include "tst_sidepanel.moc"
