#include "LoopbackServer.h"
#include "MainWindow.h"
#include "ModalWatcher.h"
#include "Named.h"
#include "TestApp.h"
#include "shell/SidePanel.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"
#include "shell/frmTip.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/WebEngineBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class tst_frmMain : public QObject
{
    Q_OBJECT

private:
    QString page(TestApp &app, const QString &name, const QString &title)
    {
        return app.writeFile(name, QStringLiteral("<html><head><title>%1</title></head><body>%1</body></html>")
                                       .arg(title)
                                       .toUtf8());
    }
    QString setting(TestApp &app, const char *key)
    {
        return app.settings().get(AppTitle, QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("absent"));
    }

private slots:
    void firstStartWithEmptySettings()
    {
        TestApp app;
        app.settings().save(AppTitle, QStringLiteral("Settings"), QStringLiteral("Homepage"),
                            page(app, QStringLiteral("home.htm"), QStringLiteral("Home Page")));
        bool tipShownFirst = false;
        const ModalWatch shown = whenModalShown<frmTip>([&](frmTip *tip) {
            // The tip dialog comes before the main window appears.
            tipShownFirst = true;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<frmMain *>(w) && w->isVisible())
                    tipShownFirst = false;
            tip->accept();
        });
        const auto main = Startup::launch(app.context, QStringLiteral("vantorel"));
        QVERIFY(tipShownFirst);
        QVERIFY(main->isVisible());
        // Most of the screen, in its middle.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_COMPARE(main->frameGeometry().size(), screen.size() * 0.85);
        QCOMPARE(main->frameGeometry().center(), screen.center());
        // The panel comes after the first page's title, in the place kept for it.
        QVERIFY(listPressed(*main));
        const QPoint documentsAt = main->activeDocument()->mapTo(main.get(), QPoint(0, 0));
        QTRY_VERIFY(panelOf(*main)->isVisible());
        QCOMPARE(main->activeDocument()->mapTo(main.get(), QPoint(0, 0)), documentsAt);
        // The panel leaves two thirds to the document, whose toolbar shows every button.
        QVERIFY(panelOf(*main)->width() <= main->width() / 3);
        QCOMPARE(panelOf(*main)->width() * 15, panelOf(*main)->widthTwips());

        QCOMPARE(documentsOf(*main).size(), 1);
        frmDocument *document = main->activeDocument();
        QVERIFY(document->isMaximized());
        const auto *more = document->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(more && !more->isVisible());
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Home Page"));
        QCOMPARE(main->windowTitle(), QStringLiteral("Vantorel II - [Home Page]"));
    }

    void qtSpeaksChinese()
    {
        Startup::installTranslations(*qApp);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    }

    void firstDocumentCaption()
    {
        TestApp app;
        frmMain main(app.context);
        app.settings().save(AppTitle, QStringLiteral("Settings"), QStringLiteral("Homepage"), QStringLiteral("about:blank"));
        main.Form_Load(QStringLiteral("vantorel"));
        QCOMPARE(main.activeDocument()->windowTitle(), QStringLiteral("Web Document 1"));
        QCOMPARE(main.DocCount(), 1);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("boxShown");
        QTest::addColumn<QString>("expectedTitle");
        QTest::newRow("address") << QStringLiteral("-nohome %1") << true << QStringLiteral("Given");
        QTest::newRow("quoted") << QStringLiteral("-nohome \"%1\"") << true << QStringLiteral("Given");
        QTest::newRow("capitals") << QStringLiteral("-NOHOME %1") << false << QStringLiteral("Home");
        QTest::newRow("plain address") << QStringLiteral("\"%1\"") << false << QStringLiteral("Given");
    }
    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, boxShown);
        QFETCH(QString, expectedTitle);
        TestApp app;
        app.settings().save(AppTitle, QStringLiteral("Settings"), QStringLiteral("Homepage"),
                            page(app, QStringLiteral("home.htm"), QStringLiteral("Home")));
        const QString given = page(app, QStringLiteral("given page.htm"), QStringLiteral("Given"));
        frmMain main(app.context);
        main.Form_Load(QStringLiteral("/opt/vantorel ") + arguments.arg(given));
        QTRY_COMPARE(main.activeDocument()->windowTitle(), expectedTitle);
        // The box comes once the page is complete.
        QTRY_VERIFY(child<QComboBox>(main.activeDocument(), QStringLiteral("Combo"))->count() > 0);
        QTRY_COMPARE(app.prompts.messages.size(), boxShown ? 1 : 0);
        if (boxShown) {
            QCOMPARE(app.prompts.messages.first().text, given);
            QCOMPARE(app.prompts.messages.first().title, QStringLiteral("Vantorel"));
        }
        QTRY_COMPARE(main.activeDocument()->windowTitle(), expectedTitle);
    }

    // Start-up loads the first page before the main window is built; the window takes
    // that load over, what it reported included, without loading the page again.
    void firstPageStartedBeforeTheWindow_data()
    {
        QTest::addColumn<QString>("started");
        QTest::addColumn<bool>("doneBeforeTheWindow");
        QTest::newRow("still loading") << QStringLiteral("/given") << false;
        QTest::newRow("already loaded") << QStringLiteral("/given") << true;
        QTest::newRow("another page") << QStringLiteral("/other") << true;
    }
    void firstPageStartedBeforeTheWindow()
    {
        QFETCH(QString, started);
        QFETCH(bool, doneBeforeTheWindow);
        TestApp app;
        LoopbackServer server;
        server.route("/given", "<title>Given</title>");
        server.route("/other", "<title>Other</title>");
        const QString given = server.address(QStringLiteral("/given"));
        const QString commandLine = QStringLiteral("vantorel -nohome ") + given;
        app.web().startFirstPage(started == QLatin1String("/given") ? Startup::firstPage(commandLine, app.running())
                                                                   : server.address(started));
        if (doneBeforeTheWindow) {
            const WebEngineBrowser *early = nullptr;
            for (QWidget *widget : QApplication::topLevelWidgets())
                early = early ? early : qobject_cast<WebEngineBrowser *>(widget);
            QVERIFY(early);
            QTRY_VERIFY(!early->locationName().isEmpty() && !early->isLoading());
        }
        frmMain main(app.context);
        main.Form_Load(commandLine);
        frmDocument *document = main.activeDocument();
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Given"));
        QTRY_COMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->itemText(0), given);
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->count(), 1);
        QTRY_COMPARE(app.prompts.messages.size(), 1);
        const auto &requests = server.requests();
        QCOMPARE(std::count_if(requests.begin(), requests.end(), [](const auto &r) { return r.target == "/given"; }), 1);
    }

    void firstPageFollowsTheCommandLine_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("homepage");
        QTest::addColumn<QString>("first");
        QTest::newRow("address") << "vantorel -nohome http://a/" << "http://home/" << "http://a/";
        QTest::newRow("quoted") << "vantorel -nohome \"/tmp/a b.htm\"" << "http://home/" << "/tmp/a b.htm";
        QTest::newRow("no address") << "vantorel -nohome" << "http://home/" << "about:blank";
        QTest::newRow("capitals") << "vantorel -NOHOME http://a/" << "http://home/" << "http://home/";
        QTest::newRow("engine's home") << "vantorel" << "IE Homepage" << "about:home";
        QTest::newRow("plain address") << "vantorel http://a/" << "http://home/" << "http://a/";
        QTest::newRow("plain file") << "vantorel /tmp/a.htm" << "http://home/" << "file:///tmp/a.htm";
    }
    void firstPageFollowsTheCommandLine()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, homepage);
        QFETCH(QString, first);
        TestApp app;
        app.settings().save(AppTitle, QStringLiteral("Settings"), QStringLiteral("Homepage"), homepage);
        QCOMPARE(Startup::firstPage(commandLine, app.running()), first);
    }

    // The switches the main window reads later are in force for the first page already.
    void theFirstPageStartsWithTheStoredSwitches()
    {
        TestApp app;
        app.settings().save(AppTitle, QStringLiteral("Multimedia"), QStringLiteral("ShowPicture"), QStringLiteral("0"));
        Startup::startFirstPage(app.web(), app.context, QStringLiteral("vantorel -nohome about:blank"));
        QVERIFY(!app.web().mediaAllowed(BrowserFactory::Media::Pictures));
        QVERIFY(app.web().mediaAllowed(BrowserFactory::Media::Sound));
    }

    void commandLineAsTyped_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("typed");
        QTest::newRow("program") << QStringList{"vantorel"} << QStringLiteral("vantorel");
        QTest::newRow("options") << QStringList{"vantorel", "-style", "fusion", "-nohome", "http://a/"}
                                 << QStringLiteral("vantorel -style fusion -nohome http://a/");
        QTest::newRow("blanks") << QStringList{"/opt/my apps/vantorel", "-nohome", "/tmp/a b.htm"}
                                << QStringLiteral("\"/opt/my apps/vantorel\" -nohome \"/tmp/a b.htm\"");
    }
    void commandLineAsTyped()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, typed);
        QCOMPARE(Startup::commandLine(arguments), typed);
    }

    void noHomeWithoutAddressOpensBlank()
    {
        TestApp app;
        frmMain main(app.context);
        main.Form_Load(QStringLiteral("vantorel -nohome"));
        QTRY_COMPARE(app.prompts.messages.size(), 1);
        QCOMPARE(app.prompts.messages.first().text, QStringLiteral("about:blank"));
        QTRY_COMPARE(main.activeDocument()->web()->locationURL(), QStringLiteral("about:blank"));
    }

    void windowNumbersKeepGrowing()
    {
        TestApp app;
        frmMain main(app.context);
        main.LoadNewDoc();
        frmDocument *second = main.LoadNewDoc();
        main.LoadNewDoc();
        areaOf(main)->setActiveSubWindow(second);
        main.CloseDoc();
        QTRY_COMPARE(documentsOf(main).size(), 2);
        QCOMPARE(main.LoadNewDoc()->windowTitle(), QStringLiteral("Web Document 4"));
        QCOMPARE(main.DocCount(), 4);
    }

    // The most recent first; the item is greyed when none is left.
    void ctrlShiftTReopensTheLastClosedWindow()
    {
        TestApp app;
        const auto main = startMainWindow(app);
        QVERIFY(main);
        QAction *reopen = action(*main, QStringLiteral("mnuWindowReopen"));
        QVERIFY(!reopen->isEnabled());
        for (const QString &title : {QStringLiteral("First"), QStringLiteral("Second")}) {
            frmDocument *document = openDocument(*main, page(app, title + QStringLiteral(".htm"), title), title);
            QVERIFY(document);
            document->close();
        }
        QTRY_COMPARE(documentsOf(*main).size(), 1);
        QVERIFY(reopen->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(documentsOf(*main).size(), 2);
        QTRY_COMPARE(documentsOf(*main).last()->windowTitle(), QStringLiteral("Second"));
        QVERIFY(reopen->isEnabled());
        reopen->trigger();
        QTRY_COMPARE(documentsOf(*main).size(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(documentsOf(*main).last()->windowTitle(), QStringLiteral("First"), 20000);
        QVERIFY(!reopen->isEnabled());
    }

    void closeDocWithoutDocumentDoesNothing()
    {
        TestApp app;
        frmMain main(app.context);
        main.CloseDoc();
        QVERIFY(documentsOf(main).isEmpty());
    }

    void closeSavesGeometryAndPanel()
    {
        TestApp app;
        for (const auto &[key, value] : {std::pair{"MainLeft", "1000"}, std::pair{"MainTop", "1000"},
                                         std::pair{"MainWidth", "6500"}, std::pair{"MainHeight", "6500"},
                                         std::pair{"ListWidth", "3370"}})
            app.settings().save(AppTitle, QStringLiteral("Settings"), QLatin1String(key), QLatin1String(value));
        {
            frmMain main(app.context);
            main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
            main.show();
            main.close();
        }
        // An unmoved window keeps the exact twips it started with.
        QCOMPARE(setting(app, "MainLeft"), QStringLiteral("1000"));
        QCOMPARE(setting(app, "MainWidth"), QStringLiteral("6500"));
        QCOMPARE(setting(app, "ShowList"), QStringLiteral("1"));
        QCOMPARE(setting(app, "ListWidth"), QStringLiteral("3370"));
        {
            frmMain main(app.context);
            main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
            main.move(100, 50);
            main.resize(800, 600);
            setListPressed(main, false);
            main.close();
        }
        QCOMPARE(setting(app, "MainLeft"), QStringLiteral("1500"));
        QCOMPARE(setting(app, "MainTop"), QStringLiteral("750"));
        QCOMPARE(setting(app, "MainWidth"), QStringLiteral("12000"));
        QCOMPARE(setting(app, "MainHeight"), QStringLiteral("9000"));
        QCOMPARE(setting(app, "ShowList"), QStringLiteral("0"));
        frmMain next(app.context);
        next.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
        next.show();
        QVERIFY(!listPressed(next));
        QVERIFY(!panelOf(next)->isVisible());
    }

    // Place, size and panel that cannot be stored are reported once, as the window closes.
    void aCloseThatCannotSaveSaysSoOnce()
    {
        TestApp app;
        frmMain main(app.context);
        main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
        QFile blocker(app.settings().folder()); // a file where the folder goes stops root too
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        app.prompts.expectMessage(QStringLiteral("无法保存设置：") + app.settings().fileFor(AppTitle) + u'：');
        QVERIFY(main.close()); // an unexpected second message would fail the test
    }

    // The stored place and size are the frame's, as the window system draws it around the window.
    void storedSizeIsTheFramesSize()
    {
        TestApp app;
        for (const auto &[key, value] : {std::pair{"MainLeft", "1500"}, std::pair{"MainTop", "750"},
                                         std::pair{"MainWidth", "9000"}, std::pair{"MainHeight", "7500"},
                                         std::pair{"ListWidth", "3360"}})
            app.settings().save(AppTitle, QStringLiteral("Settings"), QLatin1String(key), QLatin1String(value));
        {
            frmMain main(app.context);
            main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
            main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&main));
            QTRY_COMPARE(main.frameGeometry(), QRect(100, 50, 600, 500));
            QVERIFY(main.size() != main.frameGeometry().size());
            main.close();
        }
        QCOMPARE(setting(app, "MainWidth"), QStringLiteral("9000"));
        QCOMPARE(setting(app, "MainHeight"), QStringLiteral("7500"));
        frmMain main(app.context);
        main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTRY_COMPARE(main.frameGeometry().size(), QSize(600, 500));
        const QSize frame = main.frameGeometry().size() - main.size();
        main.resize(800, 600); // as a drag on the border does
        QTRY_COMPARE(main.frameGeometry().size(), QSize(800, 600) + frame);
        main.close();
        QCOMPARE(setting(app, "MainWidth"), QString::number((800 + frame.width()) * 15));
        QCOMPARE(setting(app, "MainHeight"), QString::number((600 + frame.height()) * 15));
    }

    void closingWhileMinimizedSavesNothing()
    {
        TestApp app;
        frmMain main(app.context);
        main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
        setListPressed(main, false);
        main.setWindowState(Qt::WindowMinimized);
        main.close();
        QCOMPARE(setting(app, "ShowList"), QStringLiteral("absent"));
        QCOMPARE(setting(app, "MainLeft"), QStringLiteral("absent"));
    }

    void badNumbersReadAsDefaults()
    {
        TestApp app;
        for (const char *key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "ListWidth"})
            app.settings().save(AppTitle, QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("wide"));
        frmMain main(app.context);
        main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
        QCOMPARE(main.pos(), QPoint(1000 / 15, 1000 / 15));
        QCOMPARE(panelOf(main)->widthTwips(), 3360);
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
