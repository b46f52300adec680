#include "LoopbackServer.h"
#include "MainFixture.h"
#include "PageScript.h"
#include "UserInput.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/BookmarkStore.h"
#include "document/VisitedPages.h"
#include "document/BrowserControl.h"
#include "document/webengine/DownloadManager.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"
#include "document/frmDocument.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <csignal>
#include <sys/types.h>

namespace {

QByteArray titled(const QByteArray &title, const QByteArray &body = {}) { return MainFixture::titled(title, body); }

QStringList items(QComboBox *combo)
{
    QStringList result;
    for (int i = 0; i < combo->count(); ++i)
        result.append(combo->itemText(i));
    return result;
}

// The titles the address box's list shows; empty while it is closed.
QStringList suggested(const frmMain &main)
{
    QStringList titles;
    auto *list = main.findChild<QTreeWidget *>(QStringLiteral("AddressSuggestions"));
    for (int i = 0; list && list->isVisible() && i < list->topLevelItemCount(); ++i)
        titles.append(list->topLevelItem(i)->text(0));
    return titles;
}

} // namespace

class tst_frmDocument : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainFixture> m_fixture;

    TestApp &app() { return m_fixture->app; }
    frmMain &main() { return m_fixture->main; }
    frmDocument *open(const QString &address, const QString &title) { return m_fixture->open(address, title); }

private slots:
    void init() { m_fixture = std::make_unique<MainFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void newWindowShowsNoAddressBox()
    {
        frmDocument *document = main().LoadNewDoc();
        main().show();
        QVERIFY(!document->showCombo());
        QVERIFY(!child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        QVERIFY(!child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
    }

    // At the first start's size the side panel leaves a narrow area; the document fits it.
    void maximizedDocumentFitsANarrowArea()
    {
        main().resize(6500 / 15, 6500 / 15);
        frmDocument *document = main().LoadNewDoc();
        document->showMaximized();
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        QMdiArea *area = areaOf(main());
        QVERIFY(area->viewport()->width() < child<QComboBox>(document, QStringLiteral("Combo"))->width());
        QTRY_COMPARE(document->width(), area->viewport()->width());
        QVERIFY(!area->horizontalScrollBar()->isVisible());
    }

    void loadShowsProgressThenAddress()
    {
        LoopbackServer server;
        LoopbackServer::Response slow{titled("Slow Page")};
        slow.delayMs = 1500;
        const QByteArray path = "/slow/" + QByteArray(300, 'a');
        server.route(path, slow);
        frmDocument *document = main().LoadNewDoc();
        main().show();
        const QString address = server.address(QString::fromLatin1(path));
        document->Navigate(address);
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->currentText(), address);
        // While the page is on its way the progress frame has the address box's place.
        QTRY_VERIFY(child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
        QVERIFY(!child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Slow Page"));
        QTRY_VERIFY(child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        QVERIFY(!child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
        QTRY_COMPARE(items(child<QComboBox>(document, QStringLiteral("Combo"))).value(0), address);
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->currentIndex(), 0);
        // A long address shows from its start.
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->lineEdit()->cursorPosition(), 0);
        QCOMPARE(child<QProgressBar>(document, QStringLiteral("Progress"))->value(), 100);
        QCOMPARE(child<QStatusBar>(document, QStringLiteral("sbStatusBar"))->currentMessage(), QStringLiteral("完成"));
    }

    void enterAddsTypedTextThenBrowserForm_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void enterAddsTypedTextThenBrowserForm()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        const QString path = app().writeFile(QStringLiteral("typed.htm"), titled("Typed"));
        frmDocument *document = main().LoadNewDoc();
        main().show();
        document->setShowCombo(true);
        QWidget *keys = clickToFocus(child<QComboBox>(document, QStringLiteral("Combo")));
        QVERIFY(keys);
        QTest::keyClicks(keys, path);
        QTest::keyClick(keys, Qt::Key(key), modifiers);
        QCOMPARE(items(child<QComboBox>(document, QStringLiteral("Combo"))), QStringList{path});
        QTRY_COMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->count(), 2);
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->itemText(0), document->web()->locationURL());
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->itemText(1), path);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Typed"));
    }

    // A word in the middle of a bookmark's Chinese name, part of a visited page's address
    // in other case; bookmarks come first. The bookmark is filed after the box has read them.
    void addressBoxSuggestsBookmarksThenVisitedPages_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter opens the chosen page") << int(Qt::Key_Return);
        QTest::newRow("Esc keeps what was typed") << int(Qt::Key_Escape);
    }
    void addressBoxSuggestsBookmarksThenVisitedPages()
    {
        QFETCH(int, key);
        LoopbackServer server;
        server.route("/sina/news", titled("Visited"));
        const QString visited = server.address(QStringLiteral("/sina/news"));
        frmDocument *first = open(visited, QStringLiteral("Visited"));
        QVERIFY(first);
        // A page that could not be opened is not offered.
        first->web()->navigate(QStringLiteral("http://127.0.0.1:9/sina/gone"));
        QTRY_COMPARE(child<QStatusBar>(first, QStringLiteral("sbStatusBar"))->currentMessage(), QStringLiteral("无法打开此网页"));
        frmDocument *document = main().LoadNewDoc();
        document->setShowCombo(true);
        auto *combo = child<QComboBox>(document, QStringLiteral("Combo"));
        QVERIFY(clickToFocus(combo));
        // While a page loads, Esc is also the menus' key to stop it.
        LoopbackServer::Response slow{titled("Slow")};
        slow.delayMs = 10000;
        server.route("/slow", slow);
        document->web()->navigate(server.address(QStringLiteral("/slow")));
        QTRY_VERIFY(document->web()->isLoading());
        auto *bookmarks = pageOf<BookmarkPage>(main());
        const QString category = bookmarks->store().categories().first().path;
        QVERIFY(bookmarks->store().addBookmark(category, QStringLiteral("欢迎来到新浪首页"), QStringLiteral("http://127.0.0.1:9/home")));
        child<QPushButton>(bookmarks, QStringLiteral("btnBookmarkRefresh"))->click();
        QInputMethodEvent commit; // Chinese comes from an input method, a word at a time
        commit.setCommitString(QStringLiteral("新浪"));
        QApplication::sendEvent(clickToFocus(combo), &commit);
        QCOMPARE(suggested(main()), (QStringList{QStringLiteral("新浪"), QStringLiteral("欢迎来到新浪首页")}));
        // Every word: the shipped 新浪 is at www.sina.com.cn.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" SINA"));
        QCOMPARE(suggested(main()), QStringList{QStringLiteral("新浪")});
        combo->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("SINA 127"));
        QCOMPARE(suggested(main()), QStringList{QStringLiteral("Visited")});
        combo->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0.0"));
        QCOMPARE(suggested(main()), (QStringList{QStringLiteral("欢迎来到新浪首页"), QStringLiteral("Visited")}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(suggested(main()).isEmpty());
        if (key == Qt::Key_Escape) {
            QCOMPARE(combo->currentText(), QStringLiteral("0.0"));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(combo));
            QVERIFY(document->web()->isLoading());
        } else {
            QTRY_COMPARE(document->windowTitle(), QStringLiteral("Visited"));
            QCOMPARE(document->web()->locationURL(), visited);
        }
    }

    // After a restart: newest first, one per address, the last title.
    void visitedPagesAreKept()
    {
        const QString file = app().file(QStringLiteral("visited.txt"));
        {
            VisitedPages pages(file);
            pages.record(QStringLiteral("http://a/"), QStringLiteral("A"));
            pages.record(QStringLiteral("http://b/"), QStringLiteral("B"));
            pages.record(QStringLiteral("http://a/"), QStringLiteral("A\tagain"));
        }
        VisitedPages pages(file);
        pages.record(QStringLiteral("http://c/"), QStringLiteral("C"));
        QStringList seen;
        for (const Suggestion &page : pages.pages())
            seen.append(page.address + QLatin1Char(' ') + page.title);
        QCOMPARE(seen, (QStringList{QStringLiteral("http://c/ C"), QStringLiteral("http://a/ A again"), QStringLiteral("http://b/ B")}));
    }

    void stopShowsAddressBox()
    {
        LoopbackServer server;
        LoopbackServer::Response slow{titled("Never")};
        slow.delayMs = 10000;
        server.route("/hang", slow);
        frmDocument *document = main().LoadNewDoc();
        main().show();
        document->web()->navigate(server.address(QStringLiteral("/hang")));
        QTRY_VERIFY(child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
        child<QToolBar>(document, QStringLiteral("tbrMDIchild"))->findChild<QAction *>(QStringLiteral("stop"))->trigger();
        QVERIFY(document->showCombo());
        QVERIFY(child<QComboBox>(document, QStringLiteral("Combo"))->isVisible());
        QVERIFY(!child<QGroupBox>(document, QStringLiteral("Frame1"))->isVisible());
    }

    // A click on a link or a button is the user asking: the window opens.
    void pageOpeningWindowGetsNextDocumentCascaded_data()
    {
        QTest::addColumn<QByteArray>("opener");
        QTest::newRow("link") << QByteArray("<a target=_blank href=/child style='display:block;height:100vh'>child</a>");
        QTest::newRow("button") << QByteArray("<button onclick=\"window.open('/child')\" style='width:100%;height:100vh'>child</button>");
    }
    void pageOpeningWindowGetsNextDocumentCascaded()
    {
        QFETCH(QByteArray, opener);
        LoopbackServer server;
        server.route("/opener", titled("Opener", opener + MainFixture::readyForKeys()));
        server.route("/child", titled("Child"));
        main().resize(900, 700);
        main().show();
        frmDocument *opening = open(server.address(QStringLiteral("/opener")), QStringLiteral("Opener"));
        QVERIFY(opening);
        auto *view = qobject_cast<WebEngineBrowser *>(opening->web())->view();
        view->setFocus();
        QTRY_COMPARE(opening->windowTitle(), QStringLiteral("ready")); // drawn: a click now reaches the page
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, view->rect().center());
        QTRY_COMPARE(documentsOf(main()).size(), 2);
        frmDocument *child = documentsOf(main()).at(1);
        QTRY_COMPARE(main().activeDocument(), child);
        QTRY_COMPARE(child->windowTitle(), QStringLiteral("Child"));
        QVERIFY(server.wasRequested("/child"));
        // Cascaded: each window steps down and to the right of the one before.
        const QPoint first = documentsOf(main()).at(0)->pos();
        QVERIFY(child->pos().x() > first.x());
        QVERIFY(child->pos().y() > first.y());
        QCOMPARE(main().DocCount(), 2);
    }

    // A window the page opens on its own opens once the user allowed the site from the menu.
    void popupsOfTheirOwnAreBlockedUntilAllowed_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("timer") << QByteArray("setTimeout(() => open('/child'), 300)");
        QTest::newRow("load") << QByteArray("onload = () => open('/child')");
    }
    void popupsOfTheirOwnAreBlockedUntilAllowed()
    {
        QFETCH(QByteArray, script);
        LoopbackServer server;
        server.route("/opener", titled("Opener", "<script>" + script + "</script>"));
        server.route("/child", titled("Child"));
        main().show();
        frmDocument *document = main().LoadNewDoc();
        auto *blocked = child<QLabel>(document, QStringLiteral("lblPopupBlocked"));
        QVERIFY(!document->findChild<QAction *>(QStringLiteral("mnuAllowPopups"))->isVisible());
        document->web()->navigate(server.address(QStringLiteral("/opener")));
        QTRY_VERIFY(blocked->isVisible());
        QCOMPARE(blocked->text(), QStringLiteral("已阻止弹出窗口"));
        QCOMPARE(documentsOf(main()).size(), 1);
        QVERIFY(!server.wasRequested("/child"));

        QAction *allow = document->findChild<QAction *>(QStringLiteral("mnuAllowPopups"));
        QVERIFY(allow->isVisible());
        allow->trigger();
        QVERIFY(!blocked->isVisible());
        child<QToolBar>(document, QStringLiteral("tbrMDIchild"))->findChild<QAction *>(QStringLiteral("refresh"))->trigger();
        QTRY_COMPARE(documentsOf(main()).size(), 2);
        QTRY_COMPARE(documentsOf(main()).at(1)->windowTitle(), QStringLiteral("Child"));
    }

    void backWithoutHistoryIsSilent()
    {
        frmDocument *document = main().LoadNewDoc();
        main().show();
        child<QToolBar>(document, QStringLiteral("tbrMDIchild"))->findChild<QAction *>(QStringLiteral("back"))->trigger();
        child<QToolBar>(document, QStringLiteral("tbrMDIchild"))->findChild<QAction *>(QStringLiteral("forward"))->trigger();
        QVERIFY(app().prompts.messages.isEmpty());
        QCOMPARE(documentsOf(main()).size(), 1);
    }

    void crashedPageShowsAnErrorAndRefreshBringsItBack()
    {
        LoopbackServer server;
        server.route("/fragile", titled("Fragile"));
        frmDocument *document = open(server.address(QStringLiteral("/fragile")), QStringLiteral("Fragile"));
        QVERIFY(document);
        auto *browser = qobject_cast<WebEngineBrowser *>(document->web());
        QTRY_VERIFY(browser->page()->renderProcessPid() > 0);
        ::kill(pid_t(browser->page()->renderProcessPid()), SIGKILL);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("网页已崩溃"));
        child<QToolBar>(document, QStringLiteral("tbrMDIchild"))->findChild<QAction *>(QStringLiteral("refresh"))->trigger();
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Fragile"));
        QCOMPARE(document->web()->locationURL(), server.address(QStringLiteral("/fragile")));
    }

    void builtinNewWindowPage()
    {
        frmDocument *document = open(QStringLiteral("about:Vantorel II 新窗口"), QStringLiteral("Vantorel II 新窗口"));
        QVERIFY(document);
        QCOMPARE(document->web()->locationURL(), QStringLiteral("about:Vantorel II 新窗口"));
        QTRY_COMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->itemText(0), QStringLiteral("about:Vantorel II 新窗口"));
    }

    void downloadEndsWhereTheUserChose()
    {
        LoopbackServer server;
        QByteArray payload;
        for (int i = 0; i < 200000; ++i)
            payload.append(char('a' + i % 26));
        server.route("/data.bin", LoopbackServer::attachment("data.bin", payload));
        const QString target = app().file(QStringLiteral("chosen/saved.bin"));
        QDir().mkpath(QFileInfo(target).path());
        app().prompts.answerFile(target);
        main().LoadNewDoc()->web()->navigate(server.address(QStringLiteral("/data.bin")));
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(target).size(), qint64(payload.size()), 20000);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), payload);
        QCOMPARE(app().prompts.asked, QStringList{QStringLiteral("保存下载的文件")});
        QCOMPARE(app().web().downloads()->count(), 1);
        // The page that became a download did not fail.
        QCOMPARE(child<QStatusBar>(main().activeDocument(), QStringLiteral("sbStatusBar"))->currentMessage(), QStringLiteral("完成"));
    }

    void quittingDuringADownloadAsksFirst()
    {
        LoopbackServer server;
        LoopbackServer::Response file = LoopbackServer::attachment("big.bin", QByteArray(300000, 'x'));
        file.stallAfter = 1000;
        server.route("/big.bin", file);
        app().prompts.answerFile(app().file(QStringLiteral("big.bin")));
        main().show();
        main().LoadNewDoc()->web()->navigate(server.address(QStringLiteral("/big.bin")));
        QTRY_COMPARE_WITH_TIMEOUT(app().web().runningDownloads(), 1, 20000);
        const QString question = QStringLiteral("有下载正在进行，确定要退出吗？");
        app().prompts.expectMessage(question, Prompts::No);
        QVERIFY(!main().close());
        QCOMPARE(app().prompts.messages.size(), 1);
        QCOMPARE(app().prompts.messages.first().text, QStringLiteral("有下载正在进行，确定要退出吗？"));
        QVERIFY(main().isVisible());
        QCOMPARE(app().web().runningDownloads(), 1);
        app().prompts.expectMessage(question, Prompts::Yes);
        QVERIFY(main().close());
    }

    void downloadDialogStartsInTheDownloadFolder()
    {
        LoopbackServer server;
        server.route("/d.bin", LoopbackServer::attachment("d.bin", "x"));
        const QString downloads = app().file(QStringLiteral("not yet/Downloads"));
        app().web().profile()->setDownloadPath(downloads);
        app().prompts.answerFile(QString());
        main().LoadNewDoc()->web()->navigate(server.address(QStringLiteral("/d.bin")));
        QTRY_COMPARE(app().prompts.suggested.size(), 1);
        QCOMPARE(app().prompts.suggested.first(), QDir(downloads).filePath(QStringLiteral("d.bin")));
        QVERIFY(QFileInfo(downloads).isDir());
    }

    // Alt+Left back to a page of another site: the engine shows it with a renderer and a
    // widget of its own in place of the one that had the focus, and the keys stay with the page.
    void pageKeepsTheKeysAfterTheEngineSwapsItsView()
    {
        LoopbackServer server;
        const QString far = server.address(QStringLiteral("/far")).replace(QLatin1String("127.0.0.1"), QLatin1String("localhost"));
        server.route("/far", titled("Far", "<div style=\"height:5000px\">tall</div>" + MainFixture::readyForKeys()
                                               + "<script>onscroll = () => document.title = 'scrolled'</script>"));
        server.route("/near", titled("Near"));
        main().resize(900, 700);
        frmDocument *document = open(far, QStringLiteral("Far"));
        QVERIFY(document);
        // Widgets made after this page's view come after it in the focus chain.
        QVERIFY(open(server.address(QStringLiteral("/near")), QStringLiteral("Near")));
        areaOf(main())->setActiveSubWindow(document);
        document->web()->navigate(server.address(QStringLiteral("/near")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Near"));
        auto *view = qobject_cast<WebEngineBrowser *>(document->web())->view();
        QWidget *keys = clickToFocus(view);
        QVERIFY(keys);
        QWidget *before = view->focusProxy();
        QTest::keyClick(keys, Qt::Key_Left, Qt::AltModifier);
        QTRY_VERIFY(view->focusProxy() != before);
        QTRY_COMPARE(QApplication::focusWidget(), view->focusProxy());
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("ready"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("scrolled"));
    }

    // Proven by a second download that is kept: once it is listed, the first never was.
    void cancelledDownloadWritesNothing()
    {
        LoopbackServer server;
        for (const char *name : {"none.bin", "kept.bin"})
            server.route(QByteArray("/") + name, LoopbackServer::attachment(name, "x"));
        app().prompts.answerFile(QString());
        app().prompts.answerFile(app().file(QStringLiteral("kept.bin")));
        frmDocument *document = main().LoadNewDoc();
        document->web()->navigate(server.address(QStringLiteral("/none.bin")));
        QTRY_COMPARE(app().prompts.asked.size(), 1);
        document->web()->navigate(server.address(QStringLiteral("/kept.bin")));
        QTRY_COMPARE(app().prompts.asked.size(), 2);
        QTRY_VERIFY(QFileInfo(app().file(QStringLiteral("kept.bin"))).size() == 1);
        QCOMPARE(app().web().downloads()->count(), 1);
        QVERIFY(QDir(app().folder()).entryList({QStringLiteral("none.bin*")}).isEmpty());
    }

    void permissionsAreAskedAndDeniedByDefault()
    {
        LoopbackServer server;
        server.route("/ask", titled("Asking", "<script>Notification.requestPermission()"
                                              ".then(p => document.title = 'answer ' + p);</script>"));
        app().prompts.expectMessage(QStringLiteral("权限请求"), Prompts::No);
        frmDocument *document = main().LoadNewDoc();
        document->web()->navigate(server.address(QStringLiteral("/ask")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("answer denied"));
        QCOMPARE(app().prompts.messages.size(), 1);
        QCOMPARE(app().prompts.messages.first().title, QStringLiteral("权限请求"));
        QVERIFY(app().prompts.messages.first().text.contains(QStringLiteral("显示通知")));
    }

    void certificateProblemsAreAsked_data()
    {
        QTest::addColumn<bool>("proceed");
        QTest::newRow("refused") << false;
        QTest::newRow("accepted") << true;
    }
    void certificateProblemsAreAsked()
    {
        QFETCH(bool, proceed);
        LoopbackServer server;
        server.useTls();
        server.route("/secure", titled("Secure"));
        app().prompts.expectMessage(QStringLiteral("安全警告"), proceed ? Prompts::Yes : Prompts::No);
        frmDocument *document = main().LoadNewDoc();
        document->web()->navigate(server.address(QStringLiteral("/secure")));
        QTRY_COMPARE(app().prompts.messages.size(), 1);
        QCOMPARE(app().prompts.messages.first().title, QStringLiteral("安全警告"));
        QVERIFY(app().prompts.messages.first().text.contains(QStringLiteral("127.0.0.1")));
        if (proceed) {
            QTRY_COMPARE(document->windowTitle(), QStringLiteral("Secure"));
        } else {
            QTRY_COMPARE(child<QStatusBar>(document, QStringLiteral("sbStatusBar"))->currentMessage(), QStringLiteral("无法打开此网页"));
            QVERIFY(!server.wasRequested("/secure"));
        }
    }

    void loginAnswersTheSite()
    {
        LoopbackServer server;
        server.route("/private", LoopbackServer::locked("members", titled("Locked")));
        app().prompts.answerCredentials(std::pair{QStringLiteral("alice"), QStringLiteral("secret")});
        // The site keeps saying no; the second time the user gives up.
        app().prompts.answerCredentials(std::nullopt);
        main().LoadNewDoc()->web()->navigate(server.address(QStringLiteral("/private")));
        QTRY_VERIFY(server.requests().size() >= 2);
        QTRY_COMPARE(app().prompts.asked.size(), 2); // and gave up when the site said no again
        const QByteArray expected = "Basic " + QByteArray("alice:secret").toBase64();
        QCOMPARE(server.requests().last().headers.value("authorization"), expected);
        QVERIFY(app().prompts.asked.first().contains(QStringLiteral("members")));
    }
};

QTEST_MAIN(tst_frmDocument)
#include "tst_frmdocument.moc"
