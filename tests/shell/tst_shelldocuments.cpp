#include "LoopbackServer.h"
#include "MainWindow.h"
#include "ModalWatcher.h"
#include "Named.h"
#include "ScriptedBrowser.h"
#include "TestApp.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/frmAddToBookmark.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "shell/MainMenus.h"
#include "shell/MainToolbar.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QProgressBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>

namespace {

QString homePage(TestApp &app)
{
    const QString page = app.writeFile(QStringLiteral("home.htm"),
                                       "<html><head><title>Home</title></head><body>home</body></html>");
    app.settings().save(SettingKeys::Homepage, page);
    return page;
}

} // namespace

// Document windows as the main window opens, names and closes them, and the commands
// and keys that act on the active one.
class tst_ShellDocuments : public QObject
{
    Q_OBJECT

private slots:
    void captionLosesTheTitleWithTheLastWindow()
    {
        TestApp app;
        const QString page = app.writeFile(QStringLiteral("t.htm"), "<html><head><title>Titled</title></head></html>");
        auto main = startMainWindow(app, DesktopSize, QStringLiteral("-nohome ") + page);
        QVERIFY(main);
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Vantorel II - [Titled]"));
        main->CloseDoc();
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Vantorel II"));
    }

    void newWindowFollowsTheSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << QString() << QStringLiteral("about:Vantorel II 新窗口");
        QTest::newRow("1") << QStringLiteral("1") << QStringLiteral("home");
        QTest::newRow("0") << QStringLiteral("0") << QStringLiteral("about:Vantorel II 新窗口");
        QTest::newRow("2") << QStringLiteral("2") << QString();
    }

    void newWindowFollowsTheSetting()
    {
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        TestApp app;
        ScriptedBrowsers browsers;
        app.context.browsers = &browsers;
        const QString home = homePage(app);
        if (!setting.isNull())
            app.settings().save(SettingKeys::NWindowWithHomepage, setting);
        auto main = startMainWindow(app);
        QVERIFY(main);
        main->MotherButton_Click(QStringLiteral("new"));
        frmDocument *document = main->activeDocument();
        QCOMPARE(document->windowTitle(), QStringLiteral("Web Document 2"));
        const QStringList navigations = static_cast<ScriptedBrowser *>(document->web())->navigations();
        if (expected.isEmpty())
            QCOMPARE(navigations, QStringList());
        else
            QCOMPARE(navigations, QStringList{expected == QLatin1String("home") ? home : expected});
    }

    // However a new window is asked for, its address box shows with the keys in it.
    void aNewWindowWaitsForAnAddress_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"Ctrl+N", "mnuFileNew", "mnuWindowNewWindow", "mnuNewWindow", "new"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void aNewWindowWaitsForAnAddress()
    {
        QFETCH(QString, how);
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        frmDocument *first = main->activeDocument();
        QTRY_VERIFY(first->showCombo());
        if (how == QLatin1String("Ctrl+N"))
            QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
        else if (how == QLatin1String("new"))
            QTest::mouseClick(toolbarWidget(*main)->widgetForAction(action(*main, how)), Qt::LeftButton);
        else if (how == QLatin1String("mnuNewWindow"))
            first->findChild<QAction *>(how)->trigger();
        else
            action(*main, how)->trigger();
        QCOMPARE(documentsOf(*main).size(), 2);
        frmDocument *document = main->activeDocument();
        QTRY_COMPARE(QApplication::focusWidget(), child<QComboBox>(document, QStringLiteral("Combo")));
        QVERIFY(child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        const QString page = app.writeFile(QStringLiteral("typed.htm"), "<html><head><title>Typed</title></head></html>");
        QTest::keyClicks(QApplication::focusWidget(), page);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Typed"));
    }

    // While a page loads, Ctrl+L or a click on the progress shows the address, readable and typed into.
    void theAddressCanBeTypedWhileAPageLoads_data()
    {
        QTest::addColumn<bool>("click");
        QTest::newRow("Ctrl+L") << false;
        QTest::newRow("click on the progress") << true;
    }

    void theAddressCanBeTypedWhileAPageLoads()
    {
        QFETCH(bool, click);
        TestApp app;
        LoopbackServer server;
        LoopbackServer::Response slow(QByteArray(4096, 'x'));
        slow.stallAfter = 10;
        server.route("/slow", slow);
        auto main = startMainWindow(app);
        QVERIFY(main);
        frmDocument *document = main->activeDocument();
        QCOMPARE(child<QGroupBox>(document, QStringLiteral("Frame1"))->font(), QApplication::font());
        document->web()->navigate(server.address(QStringLiteral("/slow")));
        QTRY_VERIFY(child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
        QVERIFY(!child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        // The bar lies below the caption, which stays readable.
        QVERIFY(child<QProgressBar>(document, QStringLiteral("Progress"))->y() >= child<QGroupBox>(document, QStringLiteral("Frame1"))->fontMetrics().height());
        if (click)
            QTest::mouseClick(child<QProgressBar>(document, QStringLiteral("Progress")), Qt::LeftButton);
        else
            QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
        QVERIFY(child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), child<QComboBox>(document, QStringLiteral("Combo")));
        const QString page = app.writeFile(QStringLiteral("typed.htm"), "<html><head><title>Typed</title></head></html>");
        QTest::keyClicks(QApplication::focusWidget(), page);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Typed"));
    }

    // "IE Homepage" is the control's own start page wherever the home page opens, never a search.
    void homeWithTheControlsOwnHomePage()
    {
        TestApp app;
        app.settings().save(SettingKeys::Homepage, QStringLiteral("IE Homepage"));
        app.settings().save(SettingKeys::NWindowWithHomepage, QStringLiteral("1"));
        auto main = startMainWindow(app, DesktopSize, QString());
        QVERIFY(main);
        QTRY_COMPARE(main->activeDocument()->web()->locationURL(), QStringLiteral("about:home"));
        main->MotherButton_Click(QStringLiteral("new"));
        QTRY_COMPARE(main->activeDocument()->web()->locationURL(), QStringLiteral("about:home"));
        main->activeDocument()->web()->navigate(QStringLiteral("about:blank"));
        main->MotherButton_Click(QStringLiteral("home"));
        QTRY_COMPARE(main->activeDocument()->web()->locationURL(), QStringLiteral("about:home"));
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("Vantorel II 起始页"));
    }

    void tabbedModeIsStoredAndApplied()
    {
        TestApp app;
        {
            auto main = startMainWindow(app);
        QVERIFY(main);
            QCOMPARE(areaOf(*main)->viewMode(), QMdiArea::SubWindowView);
            action(*main, QStringLiteral("mnuViewTabbed"))->trigger();
            QCOMPARE(areaOf(*main)->viewMode(), QMdiArea::TabbedView);
            QCOMPARE(app.settings().get(AppTitle, QStringLiteral("Settings"), QStringLiteral("TabbedDocuments")),
                     QStringLiteral("1"));
        }
        homePage(app);
        auto main = startMainWindow(app, DesktopSize, QString());
        QVERIFY(main);
        QCOMPARE(areaOf(*main)->viewMode(), QMdiArea::TabbedView);
        QVERIFY(action(*main, QStringLiteral("mnuViewTabbed"))->isChecked());
        // The first page loads in the tab as it does in a window.
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("Home"));
        QCOMPARE(main->windowTitle(), QStringLiteral("Vantorel II - [Home]"));
        main->MotherButton_Click(QStringLiteral("new"));
        QCOMPARE(documentsOf(*main).size(), 2);
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("Vantorel II 新窗口"));
    }

    // A page's "&" shows on its tab as written, when the tabs come and as the title changes.
    void tabsShowAnAmpersandAsWritten()
    {
        TestApp app;
        const QString first = app.writeFile(QStringLiteral("a.htm"), "<html><head><title>a&amp;b</title></head></html>");
        const QString second = app.writeFile(QStringLiteral("b.htm"), "<html><head><title>b&amp;c</title></head></html>");
        auto main = startMainWindow(app, DesktopSize, QStringLiteral("-nohome ") + first);
        QVERIFY(main);
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("a&b"));
        action(*main, QStringLiteral("mnuViewTabbed"))->trigger();
        auto *tabs = areaOf(*main)->findChild<QTabBar *>();
        QCOMPARE(tabs->tabText(0), QStringLiteral("a&&b"));
        main->activeDocument()->web()->navigate(second);
        QTRY_COMPARE(tabs->tabText(0), QStringLiteral("b&&c"));
    }

    void browserKeys()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        frmDocument *document = main->activeDocument();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QTest::keyClick(main.get(), Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(document->web()->zoom() > 1.0);
        QTest::keyClick(main.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(document->web()->zoom(), 1.0);
        QTest::keyClick(main.get(), Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(document->web()->zoom() < 1.0);
        // Ctrl+W closes the active window, from the panel too, and File > Close shows it.
        QCOMPARE(action(*main, QStringLiteral("mnuFileClose"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
        main->LoadNewDoc();
        QTest::keyClick(main.get(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("SearchKey"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(documentsOf(*main), QList<frmDocument *>{document});
        QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(document->showCombo());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(documentsOf(*main).isEmpty());
    }

    // Ctrl+D and the document window's own button both file the page it shows.
    void bookmarkKeyAndDocumentButtonAskWhereToFileThePage()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        const auto cancelled = [](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("添加书签"));
            QCOMPARE(child<QLineEdit>(d, QStringLiteral("Text3"))->text(), QStringLiteral("about:blank"));
            d->reject();
        };
        const ModalWatch byKey = whenModalShown<frmAddToBookmark>(cancelled);
        QTest::keyClick(main.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(byKey.came());
        QVERIFY(pageOf<BookmarkPage>(*main)->dialog()->isHidden());
        const ModalWatch byButton = whenModalShown<frmAddToBookmark>(cancelled);
        QToolBar *tools = child<QToolBar>(main->activeDocument(), QStringLiteral("tbrMDIchild"));
        const QList<QAction *> buttons = tools->actions();
        const auto add = std::find_if(buttons.begin(), buttons.end(), [](QAction *b) { return b->text() == QStringLiteral("加入书签"); });
        QVERIFY(add != buttons.end());
        QTest::mouseClick(tools->widgetForAction(*add), Qt::LeftButton);
        QVERIFY(byButton.came());
        QVERIFY(pageOf<BookmarkPage>(*main)->dialog()->isHidden());
    }

    // Back, forward and stop are offered in the menus and the window's toolbar only when they can act.
    void backForwardAndStopFollowTheActivePage()
    {
        TestApp app;
        LoopbackServer server;
        for (const char *page : {"/a", "/b"})
            server.route(page, QByteArray("<html><head><title>") + page + "</title></head></html>");
        LoopbackServer::Response slow(QByteArray(4096, 'x'));
        slow.stallAfter = 10;
        server.route("/slow", slow);
        auto main = startMainWindow(app);
        QVERIFY(main);
        QPointer<frmDocument> document = main->activeDocument();
        const auto states = [&] {
            QString shown;
            for (const char *item : {"mnuEditback", "MnuEditForward", "mnuEditStop"})
                shown += action(*main, QLatin1String(item))->isEnabled() ? u'1' : u'0';
            if (!document)
                return shown;
            shown += u' ';
            for (const char *button : {"back", "forward", "stop"})
                shown += child<QToolBar>(document, QStringLiteral("tbrMDIchild"))->findChild<QAction *>(QLatin1String(button))->isEnabled() ? u'1' : u'0';
            return shown;
        };
        QTRY_COMPARE(states(), QStringLiteral("000 000"));
        for (const char *page : {"/a", "/b"}) {
            document->web()->navigate(server.address(QLatin1String(page)));
            QTRY_COMPARE(document->windowTitle(), QLatin1String(page));
        }
        QTRY_COMPARE(states(), QStringLiteral("100 100"));
        action(*main, QStringLiteral("mnuEditback"))->trigger();
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("/a"));
        QTRY_COMPARE(states(), QStringLiteral("110 110"));
        document->web()->navigate(server.address(QStringLiteral("/slow")));
        QTRY_COMPARE(states(), QStringLiteral("101 101"));
        action(*main, QStringLiteral("mnuEditStop"))->trigger();
        QTRY_COMPARE(states().left(3), QStringLiteral("100"));
        main->CloseDoc();
        QTRY_VERIFY(documentsOf(*main).isEmpty());
        QTRY_COMPARE(states(), QStringLiteral("000"));
    }

    void commandsWithoutAnyDocumentDoNothing()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        main->CloseDoc();
        QTRY_VERIFY(documentsOf(*main).isEmpty());
        app.prompts.messages.clear();
        for (const char *name : {"mnuFileSaveAs", "mnuFileProperties", "mnuFilePrint", "mnuFileClose", "mnuEditback",
                                 "MnuEditForward", "mnuEditRefresh", "mnuEditStop", "mnuEditCut", "mnuEditCopy",
                                 "mnuEditPaste", "mnuEditFind", "mnuWindowCascade", "mnuWindowTileHorizontal",
                                 "mnuWindowTileVertical", "mnuWindowArrangeIcons"})
            action(*main, QLatin1String(name))->trigger();
        for (const char *key : {"close", "save", "print", "copy", "find", "home", "bbs", "update", "link"})
            main->MotherButton_Click(QLatin1String(key));
        QVERIFY(documentsOf(*main).isEmpty());
        QVERIFY(app.prompts.messages.isEmpty());
        QVERIFY(app.prompts.asked.isEmpty());

        // Open makes a window first, then asks for the file.
        app.prompts.answerFile(QString());
        action(*main, QStringLiteral("mnuFileOpen"))->trigger();
        QCOMPARE(documentsOf(*main).size(), 1);
        QCOMPARE(app.prompts.asked, QStringList{QStringLiteral("打开")});
    }
};

QTEST_MAIN(tst_ShellDocuments)
#include "tst_shelldocuments.moc"
