#include "MainWindow.h"
#include "Named.h"
#include "PageScript.h"
#include "ProfileText.h"
#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "shell/HelpPage.h"
#include "shell/MainMenus.h"
#include "shell/MainToolbar.h"
#include "shell/SidePanel.h"
#include "shell/TabRows.h"

#include "autotext/AutotextPage.h"
#include "bookmarks/BookmarkPage.h"
#include "nettools/MailPage.h"
#include "nettools/ToolsPage.h"
#include "search/SearchPage.h"
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

// The side panel in the main window: its width, its pages as start-up fills them,
// and the commands and keys that bring a page forward.
class tst_PanelPages : public QObject
{
    Q_OBJECT

private slots:
    void panelWidensAndNarrows()
    {
        TestApp app;
        app.settings().save(SettingKeys::ListWidth, QStringLiteral("3360"));
        auto main = startMainWindow(app);
        QVERIFY(main);
        QCOMPARE(panelOf(*main)->widthTwips(), 3360);
        for (int i = 0; i < 3; ++i)
            child<QPushButton>(panelOf(*main), QStringLiteral("btnListgetBigger"))->click();
        QCOMPARE(panelOf(*main)->widthTwips(), 3720);
        QCOMPARE(panelOf(*main)->width(), 3720 / 15);
        panelOf(*main)->setWidthTwips(200);
        child<QPushButton>(panelOf(*main), QStringLiteral("btnListgetSmaller"))->click();
        QCOMPARE(panelOf(*main)->widthTwips(), 80);
        child<QPushButton>(panelOf(*main), QStringLiteral("btnListgetSmaller"))->click();
        QCOMPARE(panelOf(*main)->widthTwips(), 80);
    }

    void hidingReleasesTheButtonAndShowingKeepsTheWidth()
    {
        TestApp app;
        app.settings().save(SettingKeys::ListWidth, QStringLiteral("3360"));
        auto main = startMainWindow(app);
        QVERIFY(main);
        child<QPushButton>(panelOf(*main), QStringLiteral("btnListgetBigger"))->click();
        child<QPushButton>(panelOf(*main), QStringLiteral("btnTurnofflist"))->click();
        QVERIFY(!panelOf(*main)->isVisible());
        QVERIFY(!listPressed(*main));
        toolbarOf(*main)->list->trigger();
        QVERIFY(listPressed(*main));
        QVERIFY(panelOf(*main)->isVisible());
        QCOMPARE(panelOf(*main)->width(), 3480 / 15);
        main->close();
        QCOMPARE(app.settings().get(AppTitle, QStringLiteral("Settings"), QStringLiteral("ListWidth")),
                 QStringLiteral("3480"));
    }

    // The panel holds one page of each subsystem, in this order.
    void panelHoldsThePagesOfEverySubsystem()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        const std::tuple<QString, const char *, const char *> pages[] = {
            {SearchPage::Id, "搜索引擎", "SearchEngine"}, {BookmarkPage::Id, "书签管理", "Bookmarks"},
            {AutotextPage::Id, "自动填表", "lstAutotxt"},  {MailPage::Id, "电子邮件", "txtMailTO"},
            {ToolsPage::Id, "实用工具", "txtLocalIP"},     {HelpPage::Id, "系统帮助", "cmdHelpHomepage"}};
        auto *tabs = child<QTabWidget>(panelOf(*main), QStringLiteral("tabs"));
        QCOMPARE(tabs->count(), 6);
        // Only the page on show is built at start-up; the others when first asked for.
        QVERIFY(main->findChild<QWidget *>(QStringLiteral("SearchEngine")));
        for (const char *control : {"Bookmarks", "lstAutotxt", "txtMailTO", "txtLocalIP", "cmdHelpHomepage"})
            QVERIFY2(!main->findChild<QWidget *>(QLatin1String(control)), control);
        for (int i = 0; i < 6; ++i) {
            const auto &[id, caption, control] = pages[i];
            QCOMPARE(tabs->tabText(i), QString::fromUtf8(caption));
            QVERIFY(tabs->widget(i)->isAncestorOf(panelOf(*main)->page(id)));
            QCOMPARE(tabs->widget(i)->objectName(), QStringLiteral("PIC%1").arg(i + 1));
            QVERIFY(tabs->widget(i)->isAncestorOf(child<QWidget>(tabs, QLatin1String(control))));
        }
    }

    // Start-up fills every page from what is stored: a user who looks at each tab finds
    // the engines, the bookmarks and the snippets, and the "外接" menu the link tools.
    void everyPageShowsWhatIsStored()
    {
        TestApp app;
        QVERIFY(writeProfileLines(app.profileFile(QStringLiteral("autotxt.ini")), {"[table]", "t 1=你好{TAB}世界", "t 3=再见"}));
        QVERIFY(writeProfileLines(app.profileFile(QStringLiteral("linktools.ini")),
                                  {"[main]", "number=2", "[program]", "p 1=终端,/usr/bin/xterm", "p 2=计算器,/usr/bin/bc"}));
        auto main = startMainWindow(app);
        QVERIFY(main);
        auto *tabs = child<TabRows>(main.get(), QStringLiteral("tabRows"));
        const auto choose = [tabs](int tab) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center()); };
        choose(0);
        const QTreeWidgetItem *group = child<QTreeWidget>(main.get(), QStringLiteral("SearchEngine"))->topLevelItem(0);
        QVERIFY(group && group->isExpanded() && group->childCount() > 0);
        choose(1);
        auto *bookmarks = child<QTreeView>(main.get(), QStringLiteral("Bookmarks"));
        QVERIFY(bookmarks->model()->rowCount() > 0);
        QCOMPARE(bookmarks->currentIndex(), bookmarks->model()->index(0, 0));
        choose(2);
        auto *snippets = child<QListWidget>(main.get(), QStringLiteral("lstAutotxt"));
        QCOMPARE(snippets->count(), 100);
        QCOMPARE(snippets->item(0)->text() + u'|' + snippets->item(2)->text(), QStringLiteral("你好{TAB}世界|再见"));
        QStringList tools;
        for (const QAction *tool : main->findChild<QAction *>(QStringLiteral("link"))->menu()->actions())
            tools.append(tool->text());
        QCOMPARE(tools, (QStringList{"终端", "计算器"}));
    }

    void bookmarkShowsThePanelOnItsTab()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        setListPressed(*main, false);
        action(*main, QStringLiteral("bookmark"))->trigger();
        QVERIFY(panelOf(*main)->isVisible());
        QVERIFY(listPressed(*main));
        QCOMPARE(panelOf(*main)->currentPage()->id(), BookmarkPage::Id);
    }

    void sendAndHelpContentsShowThePanel()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        setListPressed(*main, false);
        action(*main, QStringLiteral("mnuFileSend"))->trigger();
        QVERIFY(panelOf(*main)->isVisible());
        QCOMPARE(panelOf(*main)->currentPage()->id(), MailPage::Id);
        setListPressed(*main, false);
        action(*main, QStringLiteral("mnuHelpContents"))->trigger();
        QVERIFY(listPressed(*main));
        QCOMPARE(panelOf(*main)->currentPage()->id(), HelpPage::Id);
        auto *help = static_cast<HelpPage *>(panelOf(*main)->currentPage());
        QTRY_VERIFY(help->helpBrowser()->locationURL().endsWith(QStringLiteral("help.htm")));
    }

    // BBS and 升级 lead to the help page's sections on reporting a problem and on
    // updating, the window menu's item to the page itself; the real engine jumps there.
    void helpPageSections_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("section");
        QTest::newRow("BBS") << QStringLiteral("bbs") << QStringLiteral("report");
        QTest::newRow("升级") << QStringLiteral("update") << QStringLiteral("update");
        QTest::newRow("window menu") << QStringLiteral("mnuVisitHalbrek") << QString();
    }

    void helpPageSections()
    {
        QFETCH(QString, command);
        QFETCH(QString, section);
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        frmDocument *document = main->activeDocument();
        if (command.startsWith(QLatin1String("mnu")))
            document->findChild<QAction *>(command)->trigger();
        else
            main->MotherButton_Click(command);
        // A local page's location is its path, as the address box shows it.
        QTRY_COMPARE(document->web()->locationURL(), app.file(QStringLiteral("help.htm")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Vantorel II 使用帮助"));
        QCOMPARE(evaluate(document->web(), QStringLiteral("location.hash")).toString(),
                 section.isEmpty() ? QString() : u'#' + section);
        if (section.isEmpty())
            return;
        const QString shown = QStringLiteral(
            "(() => { const e = document.getElementById(location.hash.slice(1));"
            " if (!e) return 'missing'; const top = e.getBoundingClientRect().top;"
            " return scrollY > 0 && top >= 0 && top < innerHeight ? 'shown' : 'not shown'; })()");
        QTRY_COMPARE(evaluate(document->web(), shown).toString(), QStringLiteral("shown"));
    }

    // Ctrl+B and Ctrl+K show their page with the keys in its main control.
    void pageKeysTakeTheKeyboardThere()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        setListPressed(*main, false);
        QTest::keyClick(main.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(panelOf(*main)->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(main.get(), QStringLiteral("Bookmarks")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(panelOf(*main)->currentPage()->id(), SearchPage::Id);
        QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(main.get(), QStringLiteral("SearchKey")));
    }
};

QTEST_MAIN(tst_PanelPages)
#include "tst_panelpages.moc"
