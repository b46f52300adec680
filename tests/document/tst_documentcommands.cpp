#include "LoopbackServer.h"
#include "PageScript.h"
#include "MainFixture.h"
#include "shell/MainMenus.h"
#include "shell/frmMain.h"
#include "document/webengine/FindBar.h"
#include "document/webengine/PagePropertiesDialog.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"
#include "document/frmDocument.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineSettings>
#include <algorithm>
#include <memory>

namespace {

const QByteArray FruitBody = "<p id=\"t\">apple banana apple cherry</p><input id=\"i\" value=\"\">";

QByteArray titled(const QByteArray &title, const QByteArray &body = FruitBody)
{
    return MainFixture::titled(title, body);
}

WebEngineBrowser *browserOf(frmDocument *document) { return qobject_cast<WebEngineBrowser *>(document->web()); }

QVariant evaluate(frmDocument *document, const QString &script) { return evaluate(document->web(), script); }

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QRect> geometries(QMdiArea *area)
{
    QList<QRect> result;
    for (QMdiSubWindow *window : area->subWindowList())
        result.append(window->geometry());
    return result;
}

QList<QAction *> windowList(frmMain &main)
{
    QMenu *menu = child<QMenu>(&main, QStringLiteral("mnuWindow"));
    emit menu->aboutToShow();
    QList<QAction *> result;
    for (QAction *action : menu->actions())
        if (action->objectName() == QLatin1String("mnuWindowList"))
            result.append(action);
    return result;
}

} // namespace

class tst_DocumentCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainFixture> m_fixture;

    TestApp &app() { return m_fixture->app; }
    frmMain &main() { return m_fixture->main; }
    void trigger(const char *name)
    {
        action(main(), QLatin1String(name))->trigger();
    }
    void addDocuments(int count)
    {
        for (int i = 0; i < count; ++i)
            main().LoadNewDoc();
    }
    frmDocument *openPage(const QString &title, const QByteArray &body = FruitBody)
    {
        return m_fixture->openPage(title, body);
    }

private slots:
    // A desktop-sized main window without documents.
    void init()
    {
        m_fixture = std::make_unique<MainFixture>();
        main().resize(1000, 800);
        main().show();
    }
    void cleanup() { m_fixture.reset(); }

    // File > Open

    void openShowsFileAndRecordsItsPath()
    {
        const QString path = app().writeFile(QStringLiteral("opened.htm"), titled("Opened Page"));
        app().prompts.answerFile(path);
        trigger("mnuFileOpen");
        QCOMPARE(documentsOf(main()).size(), 1);
        frmDocument *document = main().activeDocument();
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Opened Page"));
        QTRY_COMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->itemText(0), path);
        QCOMPARE(app().prompts.asked, QStringList{QStringLiteral("打开")});
    }

    void cancelledOpenLoadsNothing()
    {
        app().prompts.answerFile(QString());
        trigger("mnuFileOpen");
        QCOMPARE(app().prompts.asked, QStringList{QStringLiteral("打开")});
        frmDocument *document = main().activeDocument();
        QVERIFY(document);
        QCOMPARE(document->windowTitle(), QStringLiteral("Web Document 1"));
        // With a window already open, Open asks again without a second window; once that
        // file has loaded, it is the only page the window ever showed.
        const QString path = app().writeFile(QStringLiteral("second.htm"), titled("Second"));
        app().prompts.answerFile(path);
        trigger("mnuFileOpen");
        QCOMPARE(documentsOf(main()).size(), 1);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Second"));
        QTRY_COMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->count(), 1);
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->itemText(0), path);
    }

    // Edit > Cut, Copy, Paste

    void copyPutsSelectionOnClipboard()
    {
        frmDocument *document = openPage(QStringLiteral("Copy"));
        QVERIFY(document);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        document->web()->takeFocus();
        evaluate(document, QStringLiteral("getSelection().selectAllChildren(document.getElementById('t'))"));
        // The selection stays the page's while the user is in the address box.
        document->setShowCombo(true);
        child<QComboBox>(document, QStringLiteral("Combo"))->setFocus();
        QTRY_VERIFY(child<QComboBox>(document, QStringLiteral("Combo"))->hasFocus());
        trigger("mnuEditCopy");
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("apple banana apple cherry"));
    }

    void pasteFillsFocusedInput()
    {
        frmDocument *document = openPage(QStringLiteral("Paste"));
        QVERIFY(document);
        document->web()->takeFocus();
        evaluate(document, QStringLiteral("document.getElementById('i').focus()"));
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted words"));
        trigger("mnuEditPaste");
        const QString value = QStringLiteral("document.getElementById('i').value");
        QTRY_COMPARE(evaluate(document, value).toString(), QStringLiteral("pasted words"));
    }

    void cutMovesInputTextToClipboard()
    {
        frmDocument *document = openPage(QStringLiteral("Cut"));
        QVERIFY(document);
        document->web()->takeFocus();
        evaluate(document, QStringLiteral("var i=document.getElementById('i'); i.value='cut me'; i.focus(); i.select()"));
        trigger("mnuEditCut");
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("cut me"));
        QTRY_COMPARE(evaluate(document, QStringLiteral("document.getElementById('i').value")).toString(), QString());
    }

    // Edit > Find

    void findReportsMatchesAndMisses()
    {
        frmDocument *document = openPage(QStringLiteral("Find"));
        QVERIFY(document);
        QVERIFY(!document->findChild<FindBar *>()); // built at the first find
        trigger("mnuEditFind");
        auto *bar = document->findChild<FindBar *>(QStringLiteral("FindBar"));
        QVERIFY(bar);
        QVERIFY(bar->isVisible());
        auto *text = bar->findChild<QLineEdit *>(QStringLiteral("FindText"));
        auto *result = bar->findChild<QLabel *>(QStringLiteral("FindResult"));
        QTest::keyClicks(text, QStringLiteral("apple"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(result->text(), QStringLiteral("第 1 项，共 2 项"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(result->text(), QStringLiteral("第 2 项，共 2 项"));
        text->setText(QStringLiteral("zebra"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(result->text(), QStringLiteral("未找到"));
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
    }

    void findFollowsMatchCaseAndForgetsTheOldPage()
    {
        frmDocument *document = openPage(QStringLiteral("Case"), "<p>apple Apple APPLE apple</p>");
        QVERIFY(document);
        trigger("mnuEditFind");
        auto *bar = document->findChild<FindBar *>(QStringLiteral("FindBar"));
        auto *text = bar->findChild<QLineEdit *>(QStringLiteral("FindText"));
        auto *result = bar->findChild<QLabel *>(QStringLiteral("FindResult"));
        auto *matchCase = bar->findChild<QCheckBox *>();
        QTest::keyClicks(text, QStringLiteral("apple"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(result->text(), QStringLiteral("第 1 项，共 4 项"));
        QTest::mouseClick(matchCase, Qt::LeftButton, {}, QPoint(4, matchCase->height() / 2));
        QVERIFY(matchCase->isChecked());
        QTRY_VERIFY2(result->text().endsWith(QStringLiteral("共 2 项")), qPrintable(result->text()));
        document->web()->navigate(app().writeFile(QStringLiteral("other.htm"), titled("Other")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Other"));
        QCOMPARE(result->text(), QString());
    }

    // File > Print, Save as, Properties

    // Proven by a print that follows: once it has finished, the cancelled one never printed.
    void printWritesPdfAndACancelledPrintNothing()
    {
        frmDocument *document = openPage(QStringLiteral("Print"));
        QVERIFY(document);
        QSignalSpy finished(browserOf(document), &WebEngineBrowser::printFinished);
        app().prompts.answerFile(QString());
        trigger("mnuFilePrint");
        QCOMPARE(app().prompts.asked, QStringList{QStringLiteral("打印")});
        const QString pdf = app().file(QStringLiteral("out.pdf"));
        app().prompts.answerFile(pdf);
        trigger("mnuFilePrint");
        QVERIFY(finished.wait(30000));
        QCOMPARE(app().prompts.asked.size(), 2);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(contents(pdf).startsWith("%PDF"));
    }

    // Complete pages keep their pictures in a folder beside them, HTML only keeps
    // the page alone, a web archive is one MIME file.
    void saveAsWritesEachFormat_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("mime");
        QTest::addColumn<bool>("pictures");
        QTest::newRow("complete") << QStringLiteral("网页，全部 (*.htm *.html)") << QStringLiteral("complete.htm") << false
                                  << true;
        QTest::newRow("html only") << QStringLiteral("网页，仅 HTML (*.htm *.html)") << QStringLiteral("single.htm")
                                   << false << false;
        QTest::newRow("archive") << QStringLiteral("Web 档案，单一文件 (*.mht *.mhtml)")
                                 << QStringLiteral("archive.mht") << true << false;
    }

    void saveAsWritesEachFormat()
    {
        QFETCH(QString, filter);
        QFETCH(QString, name);
        QFETCH(bool, mime);
        QFETCH(bool, pictures);
        app().writeFile(QStringLiteral("dot.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"/>");
        QVERIFY(openPage(QStringLiteral("Saved"), FruitBody + "<img src=\"dot.svg\">"));
        const QString target = app().file(QStringLiteral("saved/") + name);
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        app().prompts.answerFile(target, filter);
        trigger("mnuFileSaveAs");
        QTRY_VERIFY_WITH_TIMEOUT(contents(target).contains(mime ? "</html>" : "apple banana apple cherry"), 20000);
        QCOMPARE(contents(target).contains("MIME-Version"), mime);
        const QDir folder(QFileInfo(target).path());
        const QStringList others = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(others.size(), pictures ? 2 : 1);
        if (pictures)
            QVERIFY(!QDir(folder.filePath(others.value(0) == name ? others.value(1) : others.value(0)))
                         .entryList({QStringLiteral("*.svg")})
                         .isEmpty());
        QCOMPARE(app().prompts.asked, QStringList{QStringLiteral("另存为")});
    }

    void propertiesShowTitleAddressAndType_data()
    {
        QTest::addColumn<bool>("scripts");
        QTest::newRow("scripts on") << true;
        QTest::newRow("scripts off") << false;
    }

    void propertiesShowTitleAddressAndType()
    {
        QFETCH(bool, scripts);
        frmDocument *document = openPage(QStringLiteral("Props"));
        QVERIFY(document);
        // The user may switch page scripts off; the dialog must still learn the page's type.
        browserOf(document)->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts);
        QSignalSpy loaded(document->web(), &BrowserControl::DocumentComplete);
        document->web()->refresh();
        QVERIFY(loaded.wait());
        QCOMPARE(evaluate(document, QStringLiteral("1+1")).toInt(), scripts ? 2 : 0);
        trigger("mnuFileProperties");
        PagePropertiesDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = main().findChild<PagePropertiesDialog *>()) && dialog->isVisible());
        const auto text = [dialog](const char *name) { return dialog->findChild<QLabel *>(QLatin1String(name))->text(); };
        QCOMPARE(text("propTitle"), QStringLiteral("Props"));
        QCOMPARE(text("propAddress"), app().file(QStringLiteral("Props.htm")));
        QCOMPARE(text("propType"), QStringLiteral("text/html"));
        QCOMPARE(text("propEncoding"), QStringLiteral("UTF-8"));
        dialog->accept();
    }

    // Window arrangement and the window list

    void tilingFillsTheAreaWithoutOverlap_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("stacked");
        QTest::newRow("horizontal") << QStringLiteral("mnuWindowTileHorizontal") << true;
        QTest::newRow("vertical") << QStringLiteral("mnuWindowTileVertical") << false;
    }

    void tilingFillsTheAreaWithoutOverlap()
    {
        QFETCH(QString, command);
        QFETCH(bool, stacked);
        addDocuments(3);
        // A window out of view brings scroll bars that the tiles must not leave room for.
        documentsOf(main()).at(1)->move(1500, 1200);
        QTRY_VERIFY(areaOf(main())->verticalScrollBar()->isVisible());
        trigger(command.toLatin1().constData());
        QTRY_VERIFY(!areaOf(main())->verticalScrollBar()->isVisible());
        const QRect area = areaOf(main())->viewport()->rect();
        QList<QRect> tiles = geometries(areaOf(main()));
        QCOMPARE(tiles.size(), 3);
        std::sort(tiles.begin(), tiles.end(), [stacked](const QRect &a, const QRect &b) {
            return stacked ? a.top() < b.top() : a.left() < b.left();
        });
        int next = 0;
        for (const QRect &tile : tiles) {
            QCOMPARE(stacked ? tile.top() : tile.left(), next);
            QCOMPARE(stacked ? tile.left() : tile.top(), 0);
            QCOMPARE(stacked ? tile.width() : tile.height(), stacked ? area.width() : area.height());
            next = stacked ? tile.bottom() + 1 : tile.right() + 1;
        }
        QCOMPARE(next, stacked ? area.height() : area.width());
    }

    void tabbedViewIgnoresArrangement()
    {
        addDocuments(3);
        action(main(), QStringLiteral("mnuViewTabbed"))->trigger();
        QTRY_VERIFY(main().activeDocument()->isMaximized());
        for (const char *command : {"mnuWindowCascade", "mnuWindowTileHorizontal", "mnuWindowTileVertical",
                                    "mnuWindowArrangeIcons"}) {
            trigger(command);
            QVERIFY2(main().activeDocument()->isMaximized(), command);
            QCOMPARE(main().activeDocument()->size(), areaOf(main())->viewport()->size());
        }
    }

    void cascadeStepsDownAndRight()
    {
        addDocuments(3);
        trigger("mnuWindowTileVertical");
        trigger("mnuWindowCascade");
        const QList<frmDocument *> documents = documentsOf(main());
        for (int i = 1; i < documents.size(); ++i) {
            const QPoint step = documents.at(i)->pos() - documents.at(i - 1)->pos();
            QVERIFY2(step.x() > 0 && step.y() > 0, qPrintable(QStringLiteral("window %1").arg(i)));
        }
        QCOMPARE(main().activeDocument(), documents.last());
        QCOMPARE(areaOf(main())->subWindowList(QMdiArea::StackingOrder).last(), documents.last());
    }

    void manyCascadedWindowsKeepAUsableSize()
    {
        addDocuments(25);
        trigger("mnuWindowCascade");
        const QSize area = areaOf(main())->viewport()->size();
        for (frmDocument *document : documentsOf(main())) {
            QVERIFY(document->width() >= area.width() * 3 / 4 - 1);
            QVERIFY(document->height() >= area.height() * 3 / 4 - 1);
            QVERIFY(document->web()->height() > 100);
            QVERIFY(document->geometry().right() <= area.width());
            QVERIFY(document->geometry().bottom() <= area.height());
        }
        QCOMPARE(areaOf(main())->subWindowList(QMdiArea::StackingOrder).last(), documentsOf(main()).last());
    }

    void arrangeIconsLinesMinimizedWindowsAlongTheBottom()
    {
        for (int i = 0; i < 3; ++i)
            main().LoadNewDoc()->showMinimized();
        for (int i = 0; i < 3; ++i)
            documentsOf(main()).at(i)->move(200 + 40 * i, 60 * i);
        QCOMPARE(documentsOf(main()).at(2)->pos(), QPoint(280, 120));
        trigger("mnuWindowArrangeIcons");
        const int bottom = areaOf(main())->viewport()->height();
        int left = 0;
        for (frmDocument *document : documentsOf(main())) {
            QVERIFY(document->isMinimized());
            QCOMPARE(document->geometry().bottom() + 1, bottom);
            QCOMPARE(document->x(), left);
            left += document->width();
        }
    }

    void windowMenuListsAndSwitchesWindows()
    {
        for (int i = 0; i < 3; ++i)
            main().LoadNewDoc();
        documentsOf(main()).at(1)->setWindowTitle(QStringLiteral("Middle Page"));
        QList<QAction *> items = windowList(main());
        QCOMPARE(items.size(), 3);
        const QStringList captions{QStringLiteral("Web Document 1"), QStringLiteral("Middle Page"),
                                   QStringLiteral("Web Document 3")};
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(items.at(i)->text().endsWith(captions.at(i)), qPrintable(items.at(i)->text()));
            QCOMPARE(items.at(i)->isChecked(), i == 2);
        }
        items.at(0)->trigger();
        QCOMPARE(main().activeDocument(), documentsOf(main()).at(0));
        // Opening the menu again rebuilds the list once, with the new active window.
        items = windowList(main());
        QCOMPARE(items.size(), 3);
        QVERIFY(items.at(0)->isChecked());
        QVERIFY(!items.at(2)->isChecked());
        documentsOf(main()).at(2)->close();
        QTRY_COMPARE(windowList(main()).size(), 2);
        // A minimized window chosen from the list comes back.
        documentsOf(main()).at(1)->showMinimized();
        windowList(main()).at(1)->trigger();
        QVERIFY(!documentsOf(main()).at(1)->isMinimized());
        QCOMPARE(main().activeDocument(), documentsOf(main()).at(1));
    }

    // Edit > Back, Forward, Refresh, Stop

    void backForwardAndRefreshWalkTheHistory()
    {
        frmDocument *document = openPage(QStringLiteral("Alpha"));
        QVERIFY(document);
        const QString beta = app().writeFile(QStringLiteral("beta.htm"), titled("Beta"));
        document->web()->navigate(beta);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Beta"));
        trigger("mnuEditback");
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Alpha"));
        trigger("MnuEditForward");
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Beta"));
        app().writeFile(QStringLiteral("beta.htm"), titled("Beta Again"));
        trigger("mnuEditRefresh");
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Beta Again"));
        QCOMPARE(document->web()->locationURL(), beta);
    }

    void stopEndsAPendingLoad()
    {
        LoopbackServer server;
        LoopbackServer::Response slow{titled("Never")};
        slow.delayMs = 15000;
        server.route("/hang", slow);
        frmDocument *document = main().LoadNewDoc();
        QSignalSpy completed(document->web(), &BrowserControl::DownloadComplete);
        document->web()->navigate(server.address(QStringLiteral("/hang")));
        QTRY_VERIFY(server.wasRequested("/hang"));
        QVERIFY(completed.isEmpty());
        trigger("mnuEditStop");
        QTRY_COMPARE(completed.size(), 1);
        QVERIFY(document->windowTitle() != QStringLiteral("Never"));
    }
};

QTEST_MAIN(tst_DocumentCommands)
#include "tst_documentcommands.moc"
