#include "LoopbackServer.h"
#include "ModalWatcher.h"
#include "Named.h"
#include "PageScript.h"
#include "ScriptedBrowser.h"
#include "TestApp.h"
#include "shell/HelpPage.h"
#include "shell/MainMenus.h"
#include "shell/MainToolbar.h"
#include "shell/SidePanel.h"
#include "shell/frmMain.h"
#include "document/BrowserControl.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/frmAddToBookmark.h"
#include "bookmarks/frmBookmarkManage.h"
#include "document/frmDocument.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QProgressBar>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

namespace {

const QStringList Keys{"new", "close", "open", "save", "print", "copy", "find", "list",
                       "home", "bookmark", "option", "link", "bbs", "update"};

} // namespace

class tst_MainShell : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<frmMain> start(TestApp &app, const QString &arguments = QStringLiteral("-nohome about:blank"))
    {
        auto main = std::make_unique<frmMain>(app.context);
        main->Form_Load(QStringLiteral("vantorel ") + arguments);
        main->show();
        // The box that shows a -nohome address comes from the event loop.
        if (arguments.contains(QLatin1String("-nohome")) && !QTest::qWaitFor([&] { return !app.prompts.messages.isEmpty(); }))
            qWarning("the -nohome address was not shown");
        return main;
    }
    QString homePage(TestApp &app)
    {
        const QString page = app.writeFile(QStringLiteral("home.htm"),
                                           "<html><head><title>Home</title></head><body>home</body></html>");
        app.settings().save(SettingKeys::Homepage, page);
        return page;
    }

private slots:
    void panelWidensAndNarrows()
    {
        TestApp app;
        app.settings().save(SettingKeys::ListWidth, QStringLiteral("3360"));
        auto main = start(app);
        QCOMPARE(main->list()->widthTwips(), 3360);
        for (int i = 0; i < 3; ++i)
            child<QPushButton>(main->list(), QStringLiteral("btnListgetBigger"))->click();
        QCOMPARE(main->list()->widthTwips(), 3720);
        QCOMPARE(main->list()->width(), 3720 / 15);
        main->list()->setWidthTwips(200);
        child<QPushButton>(main->list(), QStringLiteral("btnListgetSmaller"))->click();
        QCOMPARE(main->list()->widthTwips(), 80);
        child<QPushButton>(main->list(), QStringLiteral("btnListgetSmaller"))->click();
        QCOMPARE(main->list()->widthTwips(), 80);
    }

    void hidingReleasesTheButtonAndShowingKeepsTheWidth()
    {
        TestApp app;
        app.settings().save(SettingKeys::ListWidth, QStringLiteral("3360"));
        auto main = start(app);
        child<QPushButton>(main->list(), QStringLiteral("btnListgetBigger"))->click();
        child<QPushButton>(main->list(), QStringLiteral("btnTurnofflist"))->click();
        QVERIFY(!main->list()->isVisible());
        QVERIFY(!main->listPressed());
        main->toolbar()->listButton()->trigger();
        QVERIFY(main->listPressed());
        QVERIFY(main->list()->isVisible());
        QCOMPARE(main->list()->width(), 3480 / 15);
        main->close();
        QCOMPARE(app.settings().get(AppTitle, QStringLiteral("Settings"), QStringLiteral("ListWidth")),
                 QStringLiteral("3480"));
    }

    void toolbarButtonsInOrder()
    {
        TestApp app;
        auto main = start(app);
        QStringList keys;
        for (QAction *action : main->Toolbar1()->actions())
            if (!action->isSeparator())
                keys.append(action->objectName());
        QCOMPARE(keys, Keys);
        QCOMPARE(main->toolbar()->button(QStringLiteral("option"))->toolTip(), QStringLiteral("更改Vantorel设置"));
        QVERIFY(main->toolbar()->button(QStringLiteral("link"))->menu());
    }

    // A click on the picture of "外接", not only on its arrow, opens the menu.
    void theWholeLinkButtonOpensItsMenu()
    {
        TestApp app;
        auto main = start(app);
        QMenu *menu = main->toolbar()->linkMenu();
        QWidget *button = main->Toolbar1()->widgetForAction(main->toolbar()->button(QStringLiteral("link")));
        bool shown = false;
        connect(menu, &QMenu::aboutToShow, menu, [&] { shown = true, QTimer::singleShot(0, menu, &QMenu::close); });
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 4, button->height() / 2));
        QVERIFY(shown);
    }

    void textModeOffAndOnRestoresEveryCaption()
    {
        TestApp app;
        auto main = start(app);
        QHash<QString, QString> before;
        for (const QString &key : Keys)
            before.insert(key, main->toolbar()->button(key)->text());
        QCOMPARE(before.value(QStringLiteral("bbs")), QStringLiteral("BBS"));
        QAction *textMode = main->menus()->mnuViewToolbarString;
        textMode->trigger();
        QVERIFY(!textMode->isChecked());
        for (const QString &key : Keys)
            QVERIFY2(main->toolbar()->button(key)->text().isEmpty(), qPrintable(key));
        textMode->trigger();
        QVERIFY(textMode->isChecked());
        for (const QString &key : Keys)
            QCOMPARE(main->toolbar()->button(key)->text(), before.value(key));
    }

    void buttonsKeepTheirNamesForAssistiveTools()
    {
        TestApp app;
        auto main = start(app);
        const auto nameOf = [&](const QString &key) {
            QWidget *button = main->Toolbar1()->widgetForAction(main->toolbar()->button(key));
            return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        };
        main->menus()->mnuViewToolbarString->trigger();
        QCOMPARE(nameOf(QStringLiteral("list")), QStringLiteral("辅助"));
        QCOMPARE(nameOf(QStringLiteral("bbs")), QStringLiteral("BBS"));
        // The panel follows the button however it is toggled.
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(
            main->Toolbar1()->widgetForAction(main->toolbar()->listButton()));
        QVERIFY(main->list()->isVisible());
        list->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_VERIFY(!main->list()->isVisible());
        QVERIFY(!main->listPressed());
        list->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_VERIFY(main->list()->isVisible());
    }

    void captionLosesTheTitleWithTheLastWindow()
    {
        TestApp app;
        const QString page = app.writeFile(QStringLiteral("t.htm"), "<html><head><title>Titled</title></head></html>");
        auto main = start(app, QStringLiteral("-nohome ") + page);
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Vantorel II - [Titled]"));
        main->CloseDoc();
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Vantorel II"));
    }

    void hidingTheToolbarDisablesTextMode()
    {
        TestApp app;
        auto main = start(app);
        main->menus()->mnuViewToolbar->trigger();
        QVERIFY(!main->Toolbar1()->isVisible());
        QVERIFY(!main->menus()->mnuViewToolbarString->isEnabled());
        main->menus()->mnuViewToolbar->trigger();
        QVERIFY(main->Toolbar1()->isVisible());
        QVERIFY(main->menus()->mnuViewToolbarString->isEnabled());
    }

    // Qt's own menu of toolbars would hide the toolbar behind the View menu's back.
    void rightClickOnTheToolbarOffersNoMenu()
    {
        TestApp app;
        auto main = start(app);
        QVERIFY(QTest::qWaitForWindowExposed(main.get()));
        QToolBar *toolbar = main->Toolbar1();
        const QPoint onToolbar = toolbar->mapTo(main.get(), toolbar->rect().center());
        QTest::mouseClick(main->windowHandle(), Qt::RightButton, {}, onToolbar);
        if (QWidget *menu = QApplication::activePopupWidget()) {
            menu->close();
            QFAIL("a menu came up");
        }
        QVERIFY(toolbar->isVisible());
        QVERIFY(main->menus()->mnuViewToolbar->isChecked());
    }

    void bookmarkShowsThePanelOnItsTab()
    {
        TestApp app;
        auto main = start(app);
        main->setListPressed(false);
        main->MotherButton_Click(QStringLiteral("bookmark"));
        QVERIFY(main->list()->isVisible());
        QVERIFY(main->listPressed());
        QCOMPARE(main->list()->currentPage()->id(), PanelPage::Bookmarks);
    }

    void sendAndHelpContentsShowThePanel()
    {
        TestApp app;
        auto main = start(app);
        main->setListPressed(false);
        main->menus()->item(QStringLiteral("mnuFileSend"))->trigger();
        QVERIFY(main->list()->isVisible());
        QCOMPARE(main->list()->currentPage()->id(), PanelPage::Mail);
        main->setListPressed(false);
        main->menus()->item(QStringLiteral("mnuHelpContents"))->trigger();
        QVERIFY(main->listPressed());
        QCOMPARE(main->list()->currentPage()->id(), PanelPage::Help);
        auto *help = static_cast<HelpPage *>(main->list()->currentPage());
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
        auto main = start(app);
        frmDocument *document = main->activeDocument();
        if (command.startsWith(QLatin1String("mnu")))
            document->findChild<QAction *>(command)->trigger();
        else
            main->MotherButton_Click(command);
        // A local page's location is its path, as the address box shows it.
        QTRY_COMPARE(document->Web->locationURL(), app.file(QStringLiteral("help.htm")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Vantorel II 使用帮助"));
        QCOMPARE(evaluate(document->Web, QStringLiteral("location.hash")).toString(),
                 section.isEmpty() ? QString() : u'#' + section);
        if (section.isEmpty())
            return;
        const QString shown = QStringLiteral(
            "(() => { const e = document.getElementById(location.hash.slice(1));"
            " if (!e) return 'missing'; const top = e.getBoundingClientRect().top;"
            " return scrollY > 0 && top >= 0 && top < innerHeight ? 'shown' : 'not shown'; })()");
        QTRY_COMPARE(evaluate(document->Web, shown).toString(), QStringLiteral("shown"));
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
        auto main = start(app);
        main->MotherButton_Click(QStringLiteral("new"));
        frmDocument *document = main->activeDocument();
        QCOMPARE(document->windowTitle(), QStringLiteral("Web Document 2"));
        const QStringList navigations = static_cast<ScriptedBrowser *>(document->Web)->navigations();
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
        auto main = start(app);
        frmDocument *first = main->activeDocument();
        QTRY_VERIFY(first->showCombo());
        if (how == QLatin1String("Ctrl+N"))
            QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
        else if (how == QLatin1String("new"))
            QTest::mouseClick(main->Toolbar1()->widgetForAction(main->toolbar()->button(how)), Qt::LeftButton);
        else if (how == QLatin1String("mnuNewWindow"))
            first->findChild<QAction *>(how)->trigger();
        else
            main->menus()->item(how)->trigger();
        QCOMPARE(main->documents().size(), 2);
        frmDocument *document = main->activeDocument();
        QTRY_COMPARE(QApplication::focusWidget(), document->Combo);
        QVERIFY(document->Combo->isVisible());
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
        auto main = start(app);
        frmDocument *document = main->activeDocument();
        QCOMPARE(document->Frame1->font(), QApplication::font());
        document->Web->navigate(server.address(QStringLiteral("/slow")));
        QTRY_VERIFY(document->Frame1->isVisible());
        QVERIFY(!document->Combo->isVisible());
        // The bar lies below the caption, which stays readable.
        QVERIFY(document->Progress->y() >= document->Frame1->fontMetrics().height());
        if (click)
            QTest::mouseClick(document->Progress, Qt::LeftButton);
        else
            QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!document->Frame1->isVisible());
        QVERIFY(document->Combo->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), document->Combo);
        const QString page = app.writeFile(QStringLiteral("typed.htm"), "<html><head><title>Typed</title></head></html>");
        QTest::keyClicks(QApplication::focusWidget(), page);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Typed"));
    }

    // Ctrl+B and Ctrl+K show their page with the keys in its main control.
    void pageKeysTakeTheKeyboardThere()
    {
        TestApp app;
        auto main = start(app);
        main->setListPressed(false);
        QTest::keyClick(main.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(main->list()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(main.get(), QStringLiteral("Bookmarks")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(main->list()->currentPage()->id(), PanelPage::Search);
        QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(main.get(), QStringLiteral("SearchKey")));
    }

    void profileFolderOpensInTheFileManager()
    {
        TestApp app;
        auto main = start(app);
        main->menus()->item(QStringLiteral("mnuToolsProfileFolder"))->trigger();
        QCOMPARE(app.launcher.started.size(), 1);
        QCOMPARE(app.launcher.started.first().program, QStringLiteral("xdg-open"));
        QCOMPARE(app.launcher.started.first().arguments, QStringList{app.context.profileFolder});
        // A desktop without a file manager is told so.
        app.launcher.failure = QStringLiteral("No such file or directory");
        app.prompts.expectMessage(QStringLiteral("无法打开配置文件夹"));
        main->menus()->item(QStringLiteral("mnuToolsProfileFolder"))->trigger();
        QVERIFY(app.prompts.messages.last().text.contains(QStringLiteral("No such file or directory")));
    }

    // "IE Homepage" is the control's own start page wherever the home page opens, never a search.
    void homeWithTheControlsOwnHomePage()
    {
        TestApp app;
        app.settings().save(SettingKeys::Homepage, QStringLiteral("IE Homepage"));
        app.settings().save(SettingKeys::NWindowWithHomepage, QStringLiteral("1"));
        auto main = start(app, QString());
        QTRY_COMPARE(main->activeDocument()->Web->locationURL(), QStringLiteral("about:home"));
        main->MotherButton_Click(QStringLiteral("new"));
        QTRY_COMPARE(main->activeDocument()->Web->locationURL(), QStringLiteral("about:home"));
        main->activeDocument()->Web->navigate(QStringLiteral("about:blank"));
        main->MotherButton_Click(QStringLiteral("home"));
        QTRY_COMPARE(main->activeDocument()->Web->locationURL(), QStringLiteral("about:home"));
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("Vantorel II 起始页"));
    }

    // "设置" opens the options; OK changes the running home page and the manager's favourites folder.
    void optionsTakeEffectAtOnce()
    {
        TestApp app;
        auto main = start(app);
        const QString page = app.writeFile(QStringLiteral("new home.htm"), "<html><head><title>New Home</title></head></html>");
        whenModalShown<QDialog>([&](QDialog *options) {
            QCOMPARE(options->objectName(), QStringLiteral("frmOptions"));
            child<QLineEdit>(options, QStringLiteral("txtHomepage"))->setText(page);
            child<QLineEdit>(options, QStringLiteral("txtFavorites"))->setText(app.folder());
            QTest::mouseClick(child<QPushButton>(options, QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        QTest::mouseClick(main->Toolbar1()->widgetForAction(main->toolbar()->button(QStringLiteral("option"))),
                          Qt::LeftButton);
        QCOMPARE(main->Homepage(), page);
        main->MotherButton_Click(QStringLiteral("home"));
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("New Home"));
        QCOMPARE(main->bookmarks()->manager()->IEFavorites(), app.folder());
    }

    void commandsWithoutAnyDocumentDoNothing()
    {
        TestApp app;
        auto main = start(app);
        main->CloseDoc();
        QTRY_VERIFY(main->documents().isEmpty());
        app.prompts.messages.clear();
        for (const char *name : {"mnuFileSaveAs", "mnuFileProperties", "mnuFilePrint", "mnuFileClose", "mnuEditback",
                                 "MnuEditForward", "mnuEditRefresh", "mnuEditStop", "mnuEditCut", "mnuEditCopy",
                                 "mnuEditPaste", "mnuEditFind", "mnuWindowCascade", "mnuWindowTileHorizontal",
                                 "mnuWindowTileVertical", "mnuWindowArrangeIcons"})
            main->menus()->item(QLatin1String(name))->trigger();
        for (const char *key : {"close", "save", "print", "copy", "find", "home", "bbs", "update", "link"})
            main->MotherButton_Click(QLatin1String(key));
        QVERIFY(main->documents().isEmpty());
        QVERIFY(app.prompts.messages.isEmpty());
        QVERIFY(app.prompts.asked.isEmpty());

        // Open makes a window first, then asks for the file.
        app.prompts.answerFile(QString());
        main->menus()->item(QStringLiteral("mnuFileOpen"))->trigger();
        QCOMPARE(main->documents().size(), 1);
        QCOMPARE(app.prompts.asked, QStringList{QStringLiteral("打开")});
    }

    void pageSetupAsksForAPrinter()
    {
        TestApp app;
        auto main = start(app);
        app.prompts.answerFile(QString());
        main->menus()->item(QStringLiteral("mnuFilePageSetup"))->trigger();
        QCOMPARE(app.prompts.asked, QStringList{QStringLiteral("页面设置")});
    }

    void menuTreeCaptionsAndShortcuts()
    {
        TestApp app;
        auto main = start(app);
        const MainMenus *menus = main->menus();
        QCOMPARE(menus->item(QStringLiteral("mnuHelpAbout"))->text(), QStringLiteral("关于(&A) "));
        QCOMPARE(menus->item(QStringLiteral("mnuEditFind"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        QCOMPARE(menus->item(QStringLiteral("mnuFileNew"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(menus->item(QStringLiteral("mnuToolsIEOptions"))->text(), QStringLiteral("Internet选项(&I)"));
        QStringList view;
        for (QAction *action : main->findChild<QMenu *>(QStringLiteral("mnuView"))->actions())
            view.append(action->objectName());
        QCOMPARE(view.mid(0, 4), (QStringList{"mnuViewToolbar", "mnuViewToolbarString", "mnuViewTabbed", "mnuViewBar1"}));
    }

    void multimediaChecksFollowSettings()
    {
        TestApp app;
        app.settings().save(AppTitle, QStringLiteral("Multimedia"), QStringLiteral("PlaySound"), QStringLiteral("0"));
        auto main = start(app);
        QVERIFY(!main->menus()->mnuViewPlaySound->isChecked());
        QVERIFY(main->menus()->mnuViewShowPicture->isChecked());
        QVERIFY(main->menus()->mnuViewPlayVideo->isChecked());
        QVERIFY(main->menus()->mnuViewPlayANI->isChecked());
    }

    void tabbedModeIsStoredAndApplied()
    {
        TestApp app;
        {
            auto main = start(app);
            QCOMPARE(main->mdiArea()->viewMode(), QMdiArea::SubWindowView);
            main->menus()->mnuViewTabbed->trigger();
            QCOMPARE(main->mdiArea()->viewMode(), QMdiArea::TabbedView);
            QCOMPARE(app.settings().get(AppTitle, QStringLiteral("Settings"), QStringLiteral("TabbedDocuments")),
                     QStringLiteral("1"));
        }
        homePage(app);
        auto main = start(app, QString());
        QCOMPARE(main->mdiArea()->viewMode(), QMdiArea::TabbedView);
        QVERIFY(main->menus()->mnuViewTabbed->isChecked());
        // The first page loads in the tab as it does in a window.
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("Home"));
        QCOMPARE(main->windowTitle(), QStringLiteral("Vantorel II - [Home]"));
        main->MotherButton_Click(QStringLiteral("new"));
        QCOMPARE(main->documents().size(), 2);
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("Vantorel II 新窗口"));
    }

    void browserKeys()
    {
        TestApp app;
        auto main = start(app);
        frmDocument *document = main->activeDocument();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QTest::keyClick(main.get(), Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(document->Web->zoom() > 1.0);
        QTest::keyClick(main.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(document->Web->zoom(), 1.0);
        QTest::keyClick(main.get(), Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(document->Web->zoom() < 1.0);
        // Ctrl+W closes the active window, from the panel too, and File > Close shows it.
        QCOMPARE(main->menus()->item(QStringLiteral("mnuFileClose"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
        main->LoadNewDoc();
        QTest::keyClick(main.get(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("SearchKey"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(main->documents(), QList<frmDocument *>{document});
        QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(document->showCombo());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(main->documents().isEmpty());
    }

    // The panel holds one page of each subsystem, in this order.
    void panelHoldsThePagesOfEverySubsystem()
    {
        TestApp app;
        auto main = start(app);
        const std::tuple<PanelPage::Id, const char *, const char *> pages[] = {
            {PanelPage::Search, "搜索引擎", "SearchEngine"}, {PanelPage::Bookmarks, "书签管理", "Bookmarks"},
            {PanelPage::Autotext, "自动填表", "lstAutotxt"},  {PanelPage::Mail, "电子邮件", "txtMailTO"},
            {PanelPage::Tools, "实用工具", "txtLocalIP"},     {PanelPage::Help, "系统帮助", "cmdHelpHomepage"}};
        auto *tabs = child<QTabWidget>(main->list(), QStringLiteral("tabs"));
        QCOMPARE(tabs->count(), 6);
        for (int i = 0; i < 6; ++i) {
            const auto &[id, caption, control] = pages[i];
            QCOMPARE(tabs->tabText(i), QString::fromUtf8(caption));
            QCOMPARE(tabs->widget(i), main->list()->page(id));
            QCOMPARE(tabs->widget(i)->objectName(), QStringLiteral("PIC%1").arg(i + 1));
            QVERIFY(tabs->widget(i)->isAncestorOf(child<QWidget>(tabs, QLatin1String(control))));
        }
    }

    // Ctrl+D and the document window's own button both file the page it shows.
    void bookmarkKeyAndDocumentButtonAskWhereToFileThePage()
    {
        TestApp app;
        auto main = start(app);
        const auto cancelled = [](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("添加书签"));
            QCOMPARE(child<QLineEdit>(d, QStringLiteral("Text3"))->text(), QStringLiteral("about:blank"));
            d->reject();
        };
        whenModalShown<frmAddToBookmark>(cancelled);
        QTest::keyClick(main.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(main->bookmarks()->dialog()->isHidden());
        whenModalShown<frmAddToBookmark>(cancelled);
        QToolBar *tools = main->activeDocument()->tbrMDIchild;
        QTest::mouseClick(tools->widgetForAction(tools->findChild<QAction *>(QStringLiteral("bookmark"))), Qt::LeftButton);
        QVERIFY(main->bookmarks()->dialog()->isHidden());
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
        auto main = start(app);
        QPointer<frmDocument> document = main->activeDocument();
        const auto states = [&] {
            QString shown;
            for (const char *item : {"mnuEditback", "MnuEditForward", "mnuEditStop"})
                shown += main->menus()->item(QLatin1String(item))->isEnabled() ? u'1' : u'0';
            if (!document)
                return shown;
            shown += u' ';
            for (const char *button : {"back", "forward", "stop"})
                shown += document->tbrMDIchild->findChild<QAction *>(QLatin1String(button))->isEnabled() ? u'1' : u'0';
            return shown;
        };
        QTRY_COMPARE(states(), QStringLiteral("000 000"));
        for (const char *page : {"/a", "/b"}) {
            document->Web->navigate(server.address(QLatin1String(page)));
            QTRY_COMPARE(document->windowTitle(), QLatin1String(page));
        }
        QTRY_COMPARE(states(), QStringLiteral("100 100"));
        main->menus()->item(QStringLiteral("mnuEditback"))->trigger();
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("/a"));
        QTRY_COMPARE(states(), QStringLiteral("110 110"));
        document->Web->navigate(server.address(QStringLiteral("/slow")));
        QTRY_COMPARE(states(), QStringLiteral("101 101"));
        main->menus()->item(QStringLiteral("mnuEditStop"))->trigger();
        QTRY_COMPARE(states().left(3), QStringLiteral("100"));
        main->CloseDoc();
        QTRY_VERIFY(main->documents().isEmpty());
        QTRY_COMPARE(states(), QStringLiteral("000"));
    }

    void profileOptionsOpen()
    {
        TestApp app;
        auto main = start(app);
        main->menus()->item(QStringLiteral("mnuToolsIEOptions"))->trigger();
        QTRY_VERIFY(main->findChild<QDialog *>(QStringLiteral("WebProfileDialog")));
    }
};

QTEST_MAIN(tst_MainShell)
#include "tst_mainshell.moc"
