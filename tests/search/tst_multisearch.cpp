#include "LoopbackServer.h"
#include "MainWindow.h"
#include "Named.h"
#include "PageFixture.h"
#include "UserInput.h"
#include "core/IniFile.h"
#include "shell/SidePanel.h"
#include "shell/frmMain.h"
#include "document/BrowserControl.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"
#include "document/frmDocument.h"
#include "search/EngineTree.h"
#include "search/MultiSearch.h"
#include "search/SearchPage.h"
#include "search/SearchRoom.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>

// Searches from the search page against engines served on the loopback; the
// last cases reach the page from a document window through the main window.
class tst_MultiSearch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LoopbackServer> m_server;
    std::unique_ptr<PageFixture> m_fixture;
    SearchPage *m_page = nullptr;
    std::unique_ptr<frmMain> m_main;

    TestApp &app() const { return m_fixture->app; }
    QWidget *root() const { return m_main ? static_cast<QWidget *>(m_main.get()) : m_page; }
    QList<frmDocument *> documents() const { return m_main ? documentsOf(*m_main) : m_fixture->documents->documents(); }
    frmDocument *activeDocument() const { return m_main ? m_main->activeDocument() : m_fixture->documents->activeDocument(); }
    // The page beside one document window on about:blank, as at start-up.
    void start(PageFixture::Browsers browsers = PageFixture::Real)
    {
        m_fixture = std::make_unique<PageFixture>(browsers);
        writeEngines();
        m_page = new SearchPage(m_fixture->context);
        QVERIFY(m_fixture->show(m_page, 800));
        m_fixture->openDocument()->web()->navigate(QStringLiteral("about:blank"));
        m_page->LoadEngine();
        tree()->node(1)->setExpanded(true);
    }
    void startMain()
    {
        start();
        m_main = startMainWindow(app(), QSize(1000, 800));
        QVERIFY(m_main);
    }

    void writeEngines()
    {
        const QString ini = app().profileFile(QStringLiteral("engines.ini"));
        QFile::remove(ini);
        WriteINI(ini, QStringLiteral("engines"), QStringLiteral("files"), QStringLiteral("2"));
        WriteINI(ini, QStringLiteral("engines"), QStringLiteral("file 1"), QStringLiteral("\\g1.ini"));
        WriteINI(ini, QStringLiteral("engines"), QStringLiteral("file 2"), QStringLiteral("\\g2.ini"));
        const auto group = [this](const QString &file, const QString &key, const QStringList &paths) {
            const QString path = app().profileFile(file);
            WriteINI(path, QStringLiteral("main"), QStringLiteral("ChineseName"), key.toUpper());
            WriteINI(path, QStringLiteral("main"), QStringLiteral("Englishname"), key);
            WriteINI(path, QStringLiteral("main"), QStringLiteral("Number"), QString::number(paths.size()));
            WriteINI(path, QStringLiteral("main"), QStringLiteral("key"), QStringLiteral("{K}"));
            for (int i = 0; i < paths.size(); ++i)
                WriteINI(path, QStringLiteral("engine"), QStringLiteral("e %1").arg(i + 1),
                         QStringLiteral("%1,,http://127.0.0.1:%2%1?q={K}&x=1").arg(paths.at(i)).arg(m_server->serverPort()));
        };
        group(QStringLiteral("g1.ini"), QStringLiteral("one"), {"/a", "/b"});
        group(QStringLiteral("g2.ini"), QStringLiteral("two"), {"/c"});
        for (const char *path : {"/a", "/b", "/c"})
            m_server->route(path, QByteArray("<html><head><title>") + path + "</title></head><body>r</body></html>");
    }
    EngineTree *tree() const { return m_main ? pageOf<SearchPage>(*m_main)->engines() : m_page->engines(); }
    void tick(int node, bool on = true) { tree()->node(node)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked); }
    QComboBox *searchKey() { return child<QComboBox>(root(), QStringLiteral("SearchKey")); }
    void search(const QString &query)
    {
        searchKey()->setEditText(query);
        child<QPushButton>(root(), QStringLiteral("GoSearch"))->click();
    }
    QStringList requestedPaths() const
    {
        QStringList paths;
        for (const auto &request : m_server->requests())
            paths.append(QString::fromLatin1(request.target.split('?').first()));
        return paths;
    }

private slots:
    void init() { m_server = std::make_unique<LoopbackServer>(); }
    void cleanup()
    {
        m_main.reset();
        m_fixture.reset();
        m_server.reset();
    }

    // The query box and the buttons above the tree, which fills the rest of the page.
    void layoutAndTree()
    {
        start(PageFixture::Scripted);
        QCOMPARE(tree()->nodeCount(), 6);
        QVERIFY(tree()->node(1)->isExpanded());
        QCOMPARE(tree()->node(2)->text(0), QStringLiteral("ONE"));
        auto *engines = child<QTreeWidget>(m_page, QStringLiteral("SearchEngine"));
        QCOMPARE(engines->topLevelItem(0), tree()->node(1));
        QCOMPARE(engines->width(), m_page->width());
        QCOMPARE(engines->mapTo(m_page, QPoint(0, engines->height())).y(), m_page->height());
        QVERIFY(searchKey()->isEditable());
        QCOMPARE(searchKey()->width(), m_page->width() - 4);
        auto *go = child<QPushButton>(m_page, QStringLiteral("GoSearch"));
        QCOMPARE(go->size(), QSize(65, 17));
        QCOMPARE(go->text(), QStringLiteral("开始搜索"));
        QCOMPARE(child<QPushButton>(m_page, QStringLiteral("cmdRefreshEngines"))->text(), QStringLiteral("刷新"));
    }

    void emptyQueryAsksForOne()
    {
        start();
        tick(1);
        app().prompts.expectMessage(QStringLiteral("没有输入关键词"));
        app().prompts.expectMessage(QStringLiteral("没有输入关键词"));
        search(QString());
        QCOMPARE(app().prompts.messages.size(), 1);
        QCOMPARE(app().prompts.messages.first().text, QStringLiteral("没有输入关键词"));
        QCOMPARE(app().prompts.messages.first().title, QStringLiteral("Vantorel"));
        QCOMPARE(searchKey()->count(), 0);
        QCOMPARE(documents().size(), 1);
        // Enter in the empty box does the same.
        QWidget *keys = clickToFocus(searchKey());
        QVERIFY(keys);
        QTest::keyClick(keys, Qt::Key_Return);
        QCOMPARE(app().prompts.messages.size(), 2);
        QCOMPARE(searchKey()->count(), 0);
    }

    void nothingTickedOnlyKeepsTheQuery()
    {
        start();
        search(QStringLiteral("qt"));
        QCOMPARE(searchKey()->count(), 1);
        QCOMPARE(searchKey()->itemText(0), QStringLiteral("qt"));
        QCOMPARE(documents().size(), 1);
        QVERIFY(app().prompts.messages.isEmpty());
    }

    void threeEnginesOfTwoGroupsOpenThreeWindowsInOrder()
    {
        start();
        tick(2); // group one: /a and /b
        tick(6); // engine /c of group two
        search(QStringLiteral("AT&T 中文 C#"));
        const QList<frmDocument *> opened = this->documents();
        QCOMPARE(opened.size(), 4);
        QCOMPARE(opened.at(1)->windowTitle(), QStringLiteral("Web Document 2"));
        QCOMPARE(activeDocument(), opened.at(3));
        QTRY_COMPARE(m_server->requests().size(), 3);
        QTRY_COMPARE(opened.at(1)->windowTitle(), QStringLiteral("/a"));
        QTRY_COMPARE(opened.at(2)->windowTitle(), QStringLiteral("/b"));
        QTRY_COMPARE(opened.at(3)->windowTitle(), QStringLiteral("/c"));
        // The query arrives whole: nothing of it is taken as part of the address.
        for (const auto &request : m_server->requests())
            QCOMPARE(request.target.split('?').at(1), QByteArray("q=AT%26T%20%E4%B8%AD%E6%96%87%20C%23&x=1"));
        // Cascaded: every window below and right of the one before.
        for (int i = 1; i < opened.size(); ++i) {
            QVERIFY(!opened.at(i)->isMaximized());
            QVERIFY(opened.at(i)->pos().x() > opened.at(i - 1)->pos().x());
            QVERIFY(opened.at(i)->pos().y() > opened.at(i - 1)->pos().y());
        }
    }

    // A load may wait for a renderer process to start; no window waits for another's.
    void everyWindowOpensBeforeAnyLoadBegins()
    {
        start(PageFixture::Scripted);
        tick(2);
        tick(6);
        search(QStringLiteral("q"));
        const QList<frmDocument *> opened = this->documents();
        QCOMPARE(opened.size(), 4);
        for (frmDocument *document : opened.mid(1))
            QCOMPARE(static_cast<ScriptedBrowser *>(document->web())->calls, QStringList());
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
        const QStringList paths = {QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")};
        for (int i = 0; i < paths.size(); ++i)
            QTRY_COMPARE(static_cast<ScriptedBrowser *>(opened.at(i + 1)->web())->navigations(),
                         QStringList{base + paths.at(i) + QStringLiteral("?q=q&x=1")});
    }

    void tickedGroupWithClearedEnginesOpensNothing()
    {
        start();
        tick(2);
        tick(3, false);
        tick(4, false);
        QVERIFY(tree()->node(2)->checkState(0) == Qt::Checked);
        search(QStringLiteral("x"));
        QCOMPARE(documents().size(), 1);
    }

    void equalQueriesStackInTheHistory()
    {
        start();
        search(QStringLiteral("same"));
        search(QStringLiteral("same"));
        searchKey()->setCurrentIndex(1);
        search(searchKey()->currentText());
        QCOMPARE(searchKey()->count(), 3);
        QCOMPARE(searchKey()->currentIndex(), 0);
        QVERIFY(!searchKey()->itemIcon(0).isNull());
    }

    void enterRunsTheSearch()
    {
        start();
        tick(6);
        QWidget *keys = clickToFocus(searchKey());
        QVERIFY(keys);
        QTest::keyClicks(keys, QStringLiteral("enter"));
        QTest::keyClick(keys, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(documents().size(), 2);
        QCOMPARE(searchKey()->count(), 1);
        QTRY_COMPARE(requestedPaths(), QStringList{QStringLiteral("/c")});
    }

    void wordsTypedAsAnAddressSearchWithTheFirstEngine()
    {
        startMain();
        frmDocument *document = activeDocument();
        QVERIFY(clickToFocus(child<QComboBox>(document, QStringLiteral("Combo"))));
        // Ctrl+L takes the address box with its text selected, as browsers do.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
        QWidget *keys = QApplication::focusWidget();
        QCOMPARE(keys, child<QComboBox>(document, QStringLiteral("Combo")));
        QTest::keyClicks(keys, QStringLiteral("two words"));
        QTest::keyClick(keys, Qt::Key_Return);
        QTRY_COMPARE(requestedPaths(), QStringList{QStringLiteral("/a")});
        QCOMPARE(m_server->requests().first().target, QByteArray("/a?q=two%20words&x=1"));
    }

    void refreshClearsTheTicks()
    {
        start();
        tick(1);
        child<QPushButton>(m_page, QStringLiteral("cmdRefreshEngines"))->click();
        QVERIFY(!tree()->node(1)->isExpanded());
        search(QStringLiteral("after refresh"));
        QCOMPARE(documents().size(), 1);
    }

    void selectionSearchWithoutTicksShowsTheSearchTab()
    {
        startMain();
        setListPressed(*m_main, false);
        m_main->findChild<SearchRoom *>()->searchSelection(QStringLiteral("选中"));
        QVERIFY(panelOf(*m_main)->isVisible());
        QCOMPARE(panelOf(*m_main)->currentPage()->id(), SearchPage::Id);
        QCOMPARE(searchKey()->currentText(), QStringLiteral("选中"));
        QCOMPARE(documents().size(), 1);
    }

    void contextMenuSearchesTheSelection()
    {
        startMain();
        tick(6);
        m_server->route("/page", "<html><head><title>P</title></head><body><p id=t style='margin:0;font-size:40px'>needle text</p></body></html>");
        frmDocument *document = activeDocument();
        auto *browser = qobject_cast<WebEngineBrowser *>(document->web());
        QVERIFY(browser);
        document->web()->navigate(m_server->address(QStringLiteral("/page")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("P"));
        browser->page()->runJavaScript(QStringLiteral(
            "var r=document.createRange();r.selectNodeContents(document.getElementById('t'));"
            "getSelection().removeAllRanges();getSelection().addRange(r);"));
        QTRY_COMPARE(browser->page()->selectedText(), QStringLiteral("needle text"));
        QWidget *surface = browser->view()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(15, 15));
        QAction *action = nullptr;
        QTRY_VERIFY((action = browser->view()->findChild<QAction *>(QStringLiteral("searchSelection"))));
        action->trigger();
        QCOMPARE(searchKey()->itemText(0), QStringLiteral("needle text"));
        QCOMPARE(documents().size(), 2);
        QTRY_VERIFY(m_server->wasRequested("/c"));
    }
};

QTEST_MAIN(tst_MultiSearch)
#include "tst_multisearch.moc"
