#include "MainWindow.h"
#include "ModalWatcher.h"
#include "Named.h"
#include "TestApp.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/frmBookmarkManage.h"
#include "document/frmDocument.h"
#include "shell/MainMenus.h"
#include "shell/MainToolbar.h"
#include "shell/SidePanel.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace {

const QStringList Keys{"new", "close", "open", "save", "print", "copy", "find", "list",
                       "home", "bookmark", "option", "link", "bbs", "update"};

} // namespace

// The main window's toolbar and menus: their buttons and captions, and the commands
// that open a dialog or a program.
class tst_ToolbarMenus : public QObject
{
    Q_OBJECT

private slots:
    void toolbarButtonsInOrder()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
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
        auto main = startMainWindow(app);
        QVERIFY(main);
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
        auto main = startMainWindow(app);
        QVERIFY(main);
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
        auto main = startMainWindow(app);
        QVERIFY(main);
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

    void hidingTheToolbarDisablesTextMode()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
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
        auto main = startMainWindow(app);
        QVERIFY(main);
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

    void menuTreeCaptionsAndShortcuts()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
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
        auto main = startMainWindow(app);
        QVERIFY(main);
        QVERIFY(!main->menus()->mnuViewPlaySound->isChecked());
        QVERIFY(main->menus()->mnuViewShowPicture->isChecked());
        QVERIFY(main->menus()->mnuViewPlayVideo->isChecked());
        QVERIFY(main->menus()->mnuViewPlayANI->isChecked());
    }

    // "设置" opens the options; OK changes the running home page and the manager's favourites folder.
    void optionsTakeEffectAtOnce()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
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

    void profileOptionsOpen()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        main->menus()->item(QStringLiteral("mnuToolsIEOptions"))->trigger();
        QTRY_VERIFY(main->findChild<QDialog *>(QStringLiteral("WebProfileDialog")));
    }

    void profileFolderOpensInTheFileManager()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
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

    void pageSetupAsksForAPrinter()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        app.prompts.answerFile(QString());
        main->menus()->item(QStringLiteral("mnuFilePageSetup"))->trigger();
        QCOMPARE(app.prompts.asked, QStringList{QStringLiteral("页面设置")});
    }
};

QTEST_MAIN(tst_ToolbarMenus)
#include "tst_toolbarmenus.moc"
