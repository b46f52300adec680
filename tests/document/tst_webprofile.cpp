#include "LoopbackServer.h"
#include "TestApp.h"
#include "shell/frmMain.h"
#include "document/BrowserControl.h"
#include "document/webengine/PagePropertiesDialog.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"
#include "document/webengine/WebProfileDialog.h"
#include "document/frmDocument.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

QByteArray titled(const QByteArray &title, const QByteArray &body = {})
{
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

} // namespace

// The shared web profile: what persists, what the options dialog changes, full screen.
class tst_WebProfile : public QObject
{
    Q_OBJECT

private slots:
    void cookiesSurviveARestart()
    {
        LoopbackServer server;
        LoopbackServer::Response setter{titled("Set")};
        setter.headers.append({QByteArray("Set-Cookie"), QByteArray("kept=yes; Max-Age=3600; Path=/")});
        server.route("/set", setter);
        server.route("/check", titled("Check"));
        {
            TestApp app;
            frmMain main(app.context);
            frmDocument *document = main.LoadNewDoc();
            document->Web->navigate(server.address(QStringLiteral("/set")));
            QTRY_COMPARE(document->windowTitle(), QStringLiteral("Set"));
        }
        TestApp again;
        frmMain main(again.context);
        frmDocument *document = main.LoadNewDoc();
        document->Web->navigate(server.address(QStringLiteral("/check")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Check"));
        QCOMPARE(server.requests().last().headers.value("cookie"), QByteArray("kept=yes"));
    }

    void optionsDialogClearsCookiesAndSwitchesScripts()
    {
        TestApp app;
        LoopbackServer server;
        LoopbackServer::Response setter{titled("Set")};
        setter.headers.append({QByteArray("Set-Cookie"), QByteArray("gone=soon; Max-Age=3600; Path=/")});
        server.route("/set", setter);
        server.route("/script", titled("Static", "<script>document.title = 'Scripted';</script>"));
        frmMain main(app.context);
        frmDocument *document = main.LoadNewDoc();
        document->Web->navigate(server.address(QStringLiteral("/set")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Set"));

        WebProfileDialog dialog(app.web(), app.prompts, app.settings());
        dialog.findChild<QPushButton *>(QStringLiteral("btnClearCookies"))->click();
        dialog.findChild<QCheckBox *>(QStringLiteral("chkJavaScript"))->setChecked(false);
        dialog.apply();
        QVERIFY(!app.web().profile()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));

        document->Web->navigate(server.address(QStringLiteral("/script")));
        QTRY_COMPARE(document->Web->locationURL(), server.address(QStringLiteral("/script")));
        QTRY_VERIFY(server.wasRequested("/script"));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Static"));
        QVERIFY(!server.requests().last().headers.contains("cookie"));
    }

    void pagesGoFullScreenAndBack()
    {
        TestApp app;
        LoopbackServer server;
        server.route("/video", titled("Video", "<button id=b onclick='this.requestFullscreen()"
                                               ".then(() => document.title = `full`, e => document.title = e.name)'>"
                                               "full screen</button><script>b.focus()</script>"));
        frmMain main(app.context);
        main.resize(900, 700);
        main.show();
        frmDocument *document = main.LoadNewDoc();
        document->showMaximized();
        auto *browser = qobject_cast<WebEngineBrowser *>(document->Web);
        document->Web->navigate(server.address(QStringLiteral("/video")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Video"));
        QTRY_VERIFY(browser->view()->focusProxy());
        // A key press on the focused button is a user gesture, as the engine requires.
        // A busy engine may not take the first key yet; a user would press again.
        browser->view()->setFocus();
        QWebEngineView *full = browser->view();
        for (int i = 0; i < 20 && full == browser->view(); ++i) {
            QTest::keyClick(browser->view()->focusProxy(), Qt::Key_Space);
            QTest::qWait(300);
            full = QWebEngineView::forPage(browser->page());
        }
        QVERIFY(full);
        QVERIFY(full != browser->view());
        QVERIFY(full->isFullScreen());
        browser->page()->triggerAction(QWebEnginePage::ExitFullScreen);
        QTRY_COMPARE(QWebEngineView::forPage(browser->page()), browser->view());
    }

    // The page's date in the order read in China, not the US order the page gives.
    void propertiesShowTheDateYearFirst()
    {
        TestApp app;
        LoopbackServer server;
        LoopbackServer::Response dated{titled("Dated")};
        dated.headers.append({QByteArray("Last-Modified"), QByteArray("Tue, 08 Dec 2026 06:03:00 GMT")});
        server.route("/dated", dated);
        frmMain main(app.context);
        main.show();
        frmDocument *document = main.LoadNewDoc();
        document->Web->navigate(server.address(QStringLiteral("/dated")));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Dated"));
        document->Web->execWB(BrowserControl::Properties);
        PagePropertiesDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = main.findChild<PagePropertiesDialog *>()) && dialog->isVisible());
        const QDateTime modified(QDate(2026, 12, 8), QTime(6, 3), Qt::UTC);
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("propModified"))->text(),
                 modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        dialog->accept();
    }

    // Asked again for the same site after a login, the user learns it was wrong.
    void aWrongLoginIsSaidSo()
    {
        TestApp app;
        LoopbackServer server;
        server.route("/private", LoopbackServer::locked("members", titled("Locked")));
        app.prompts.answerCredentials(std::pair{QStringLiteral("alice"), QStringLiteral("wrong")});
        app.prompts.answerCredentials(std::nullopt);
        frmMain main(app.context);
        frmDocument *document = main.LoadNewDoc();
        document->Web->navigate(server.address(QStringLiteral("/private")));
        QTRY_COMPARE(app.prompts.asked.size(), 2);
        const QString wrong = QStringLiteral("用户名或密码错误");
        QVERIFY(app.prompts.asked.at(0).contains(QStringLiteral("members")));
        QVERIFY(!app.prompts.asked.at(0).startsWith(wrong));
        QVERIFY2(app.prompts.asked.at(1).startsWith(wrong), qPrintable(app.prompts.asked.at(1)));
        QVERIFY(app.prompts.asked.at(1).contains(QStringLiteral("members")));
        // Once the user gave up, the next visit asks afresh.
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Locked"));
        app.prompts.answerCredentials(std::nullopt);
        document->Web->refresh();
        QTRY_COMPARE(app.prompts.asked.size(), 3);
        QVERIFY(!app.prompts.asked.at(2).startsWith(wrong));
    }
};

QTEST_MAIN(tst_WebProfile)
#include "tst_webprofile.moc"
