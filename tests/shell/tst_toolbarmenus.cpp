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
#include "document/Room.h"
#include "document/RoomAnchors.h"

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

// A room the program does not have: a menu item, a toolbar button and a key of its own,
// put where every room puts them.
class ProbeRoom : public Room
{
public:
    int runs = 0;
    void install(const RoomAnchors &where) override
    {
        const auto run = [this] { ++runs; };
        where.toolsMenu.add(entry(QStringLiteral("探针(&P)"), "mnuToolsProbe", run));
        where.toolButtons.add(entry(QStringLiteral("探针"), "probe", run), QStringLiteral("probe"));
        addKey(where.window, Qt::CTRL | Qt::SHIFT | Qt::Key_P, run);
    }
};

} // namespace

// The main window's toolbar and menus: their buttons and captions, and the commands
// that open a dialog or a program.
class tst_ToolbarMenus : public QObject
{
    Q_OBJECT

private slots:
    // A click on the picture of "外接", not only on its arrow, opens the menu.
    void theWholeLinkButtonOpensItsMenu()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        QMenu *menu = toolbarButton(*main, QStringLiteral("link"))->menu();
        QWidget *button = toolbarWidget(*main)->widgetForAction(toolbarButton(*main, QStringLiteral("link")));
        bool shown = false;
        connect(menu, &QMenu::aboutToShow, menu, [&] { shown = true, QTimer::singleShot(0, menu, &QMenu::close); });
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 4, button->height() / 2));
        QVERIFY(shown);
    }

    // Every button, the rooms' among them in their places, loses its caption and gets it back.
    void textModeOffAndOnRestoresEveryCaption()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        QStringList keys;
        for (QAction *action : toolbarWidget(*main)->actions())
            if (!action->isSeparator())
                keys.append(action->objectName());
        QCOMPARE(keys, Keys);
        QHash<QString, QString> before;
        for (const QString &key : Keys)
            before.insert(key, toolbarButton(*main, key)->text());
        QCOMPARE(before.value(QStringLiteral("bbs")), QStringLiteral("BBS"));
        QAction *textMode = action(*main, QStringLiteral("mnuViewToolbarString"));
        textMode->trigger();
        QVERIFY(!textMode->isChecked());
        for (const QString &key : Keys)
            QVERIFY2(toolbarButton(*main, key)->text().isEmpty(), qPrintable(key));
        textMode->trigger();
        QVERIFY(textMode->isChecked());
        for (const QString &key : Keys)
            QCOMPARE(toolbarButton(*main, key)->text(), before.value(key));
    }

    void buttonsKeepTheirNamesForAssistiveTools()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        const auto nameOf = [&](const QString &key) {
            QWidget *button = toolbarWidget(*main)->widgetForAction(toolbarButton(*main, key));
            return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        };
        action(*main, QStringLiteral("mnuViewToolbarString"))->trigger();
        QCOMPARE(nameOf(QStringLiteral("list")), QStringLiteral("辅助"));
        QCOMPARE(nameOf(QStringLiteral("bbs")), QStringLiteral("BBS"));
        // The panel follows the button however it is toggled.
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(
            toolbarWidget(*main)->widgetForAction(toolbarOf(*main)->list));
        QVERIFY(panelOf(*main)->isVisible());
        list->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_VERIFY(!panelOf(*main)->isVisible());
        QVERIFY(!listPressed(*main));
        list->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_VERIFY(panelOf(*main)->isVisible());
    }

    void aRoomBringsItsOwnEntries()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        auto *probe = new ProbeRoom;
        main->addRoom(probe);
        QTest::keyClick(main.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        QVERIFY(QApplication::activePopupWidget()->actions().contains(action(*main, QStringLiteral("mnuToolsProbe"))));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        QTRY_COMPARE(probe->runs, 1);
        QTest::mouseClick(toolbarWidget(*main)->widgetForAction(toolbarButton(*main, QStringLiteral("probe"))), Qt::LeftButton);
        QCOMPARE(probe->runs, 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(probe->runs, 3);
        main->MotherButton_Click(QStringLiteral("probe"));
        QCOMPARE(probe->runs, 4);
        // Its button is one of the toolbar's: text mode takes its caption too.
        action(*main, QStringLiteral("mnuViewToolbarString"))->trigger();
        QVERIFY(toolbarButton(*main, QStringLiteral("probe"))->text().isEmpty());
    }

    void hidingTheToolbarDisablesTextMode()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        action(*main, QStringLiteral("mnuViewToolbar"))->trigger();
        QVERIFY(!toolbarWidget(*main)->isVisible());
        QVERIFY(!action(*main, QStringLiteral("mnuViewToolbarString"))->isEnabled());
        action(*main, QStringLiteral("mnuViewToolbar"))->trigger();
        QVERIFY(toolbarWidget(*main)->isVisible());
        QVERIFY(action(*main, QStringLiteral("mnuViewToolbarString"))->isEnabled());
    }

    // Qt's own menu of toolbars would hide the toolbar behind the View menu's back.
    void rightClickOnTheToolbarOffersNoMenu()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        QToolBar *toolbar = toolbarWidget(*main);
        const QPoint onToolbar = toolbar->mapTo(main.get(), toolbar->rect().center());
        QTest::mouseClick(main->windowHandle(), Qt::RightButton, {}, onToolbar);
        if (QWidget *menu = QApplication::activePopupWidget()) {
            menu->close();
            QFAIL("a menu came up");
        }
        QVERIFY(toolbar->isVisible());
        QVERIFY(action(*main, QStringLiteral("mnuViewToolbar"))->isChecked());
    }

    void multimediaChecksFollowSettings()
    {
        TestApp app;
        app.settings().save(AppTitle, QStringLiteral("Multimedia"), QStringLiteral("PlaySound"), QStringLiteral("0"));
        auto main = startMainWindow(app);
        QVERIFY(main);
        QVERIFY(!action(*main, QStringLiteral("mnuViewPlaySound"))->isChecked());
        QVERIFY(action(*main, QStringLiteral("mnuViewShowPicture"))->isChecked());
        QVERIFY(action(*main, QStringLiteral("mnuViewPlayVideo"))->isChecked());
        QVERIFY(action(*main, QStringLiteral("mnuViewPlayANI"))->isChecked());
        // The switches sit between the View menu's two lines, where the options room put them.
        QStringList view;
        for (QAction *action : main->findChild<QMenu *>(QStringLiteral("mnuView"))->actions())
            view.append(action->objectName());
        QCOMPARE(view, (QStringList{"mnuViewToolbar", "mnuViewToolbarString", "mnuViewTabbed", "mnuViewBar1",
                                    "mnuViewShowPicture", "mnuViewPlaySound", "mnuViewPlayANI", "mnuViewPlayVideo",
                                    "mnuViewBar0", "mnuViewOptions"}));
    }

    // "设置", View > 选项 and Tools > 选项 open the options; OK changes the running home
    // page and the manager's favourites folder.
    void optionsTakeEffectAtOnce_data()
    {
        QTest::addColumn<int>("menuKey"); // 0: the toolbar's button
        QTest::newRow("设置") << 0;
        QTest::newRow("View > 选项") << int(Qt::Key_V);
        QTest::newRow("Tools > 选项") << int(Qt::Key_T);
    }
    void optionsTakeEffectAtOnce()
    {
        QFETCH(int, menuKey);
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        const QString page = app.writeFile(QStringLiteral("new home.htm"), "<html><head><title>New Home</title></head></html>");
        const ModalWatch options = whenModalShown<QDialog>([&](QDialog *options) {
            QCOMPARE(options->objectName(), QStringLiteral("frmOptions"));
            child<QLineEdit>(options, QStringLiteral("txtHomepage"))->setText(page);
            child<QLineEdit>(options, QStringLiteral("txtFavorites"))->setText(app.folder());
            QTest::mouseClick(child<QPushButton>(options, QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        if (!menuKey) {
            QTest::mouseClick(toolbarWidget(*main)->widgetForAction(toolbarButton(*main, QStringLiteral("option"))),
                              Qt::LeftButton);
        } else {
            QTest::keyClick(main.get(), Qt::Key(menuKey), Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_O);
        }
        QTRY_VERIFY(options.came());
        QTRY_COMPARE(app.running().text(SettingKeys::Homepage), page);
        main->MotherButton_Click(QStringLiteral("home"));
        QTRY_COMPARE(main->activeDocument()->windowTitle(), QStringLiteral("New Home"));
        QCOMPARE(pageOf<BookmarkPage>(*main)->manager()->IEFavorites(), app.folder());
    }

    void profileOptionsOpen()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        action(*main, QStringLiteral("mnuToolsIEOptions"))->trigger();
        QTRY_VERIFY(main->findChild<QDialog *>(QStringLiteral("WebProfileDialog")));
    }

    void profileFolderOpensInTheFileManager()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        action(*main, QStringLiteral("mnuToolsProfileFolder"))->trigger();
        QCOMPARE(app.launcher.started.size(), 1);
        QCOMPARE(app.launcher.started.first().program, QStringLiteral("xdg-open"));
        QCOMPARE(app.launcher.started.first().arguments, QStringList{app.context.profileFolder});
        // A desktop without a file manager is told so.
        app.launcher.failure = QStringLiteral("No such file or directory");
        app.prompts.expectMessage(QStringLiteral("无法打开配置文件夹"));
        action(*main, QStringLiteral("mnuToolsProfileFolder"))->trigger();
        QVERIFY(app.prompts.messages.last().text.contains(QStringLiteral("No such file or directory")));
    }

    void pageSetupAsksForAPrinter()
    {
        TestApp app;
        auto main = startMainWindow(app);
        QVERIFY(main);
        app.prompts.answerFile(QString());
        action(*main, QStringLiteral("mnuFilePageSetup"))->trigger();
        QCOMPARE(app.prompts.asked, QStringList{QStringLiteral("页面设置")});
    }
};

QTEST_MAIN(tst_ToolbarMenus)
#include "tst_toolbarmenus.moc"
