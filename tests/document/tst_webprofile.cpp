#include "LoopbackServer.h"
#include "MainFixture.h"
#include "document/BrowserControl.h"
#include "document/webengine/PagePropertiesDialog.h"
#include "document/webengine/PopupPolicy.h"
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

QByteArray titled(const QByteArray &title, const QByteArray &body = {}) { return MainFixture::titled(title, body); }

} // namespace

// The shared web profile: what persists, what the options dialog changes, full screen.
class tst_WebProfile : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainFixture> m_fixture;

    TestApp &app() { return m_fixture->app; }
    frmMain &main() { return m_fixture->main; }
    frmDocument *open(const QString &address, const QString &title) { return m_fixture->open(address, title); }

private slots:
    void init() { m_fixture = std::make_unique<MainFixture>(); }
    void cleanup() { m_fixture.reset(); }

    // Sites answer in Chinese where they can.
    void requestsCarryTheLanguageAndTheCookiesOfEarlierRuns()
    {
        LoopbackServer server;
        LoopbackServer::Response setter{titled("Set")};
        setter.headers.append({QByteArray("Set-Cookie"), QByteArray("kept=yes; Max-Age=3600; Path=/")});
        server.route("/set", setter);
        server.route("/check", titled("Check"));
        QVERIFY(open(server.address(QStringLiteral("/set")), QStringLiteral("Set")));
        m_fixture.reset();
        m_fixture = std::make_unique<MainFixture>();
        QVERIFY(open(server.address(QStringLiteral("/check")), QStringLiteral("Check")));
        QCOMPARE(server.requests().last().headers.value("cookie"), QByteArray("kept=yes"));
        QCOMPARE(server.requests().last().headers.value("accept-language"), QByteArray("zh-CN,zh;q=0.9,en;q=0.8"));
    }

    // A site is its scheme, host and port.
    void popupsAllowedForOneSite()
    {
        PopupPolicy popups;
        popups.allow(QUrl(QStringLiteral("https://A.cn/")));
        QVERIFY(popups.allows(QUrl(QStringLiteral("https://a.cn:443/x?y#z")), false));
        QVERIFY(!popups.allows(QUrl(QStringLiteral("https://a.cn:8443/")), false));
        QVERIFY(!popups.allows(QUrl(QStringLiteral("http://a.cn/")), false));
    }

    void optionsDialogClearsCookiesAndSwitchesScripts()
    {
        LoopbackServer server;
        LoopbackServer::Response setter{titled("Set")};
        setter.headers.append({QByteArray("Set-Cookie"), QByteArray("gone=soon; Max-Age=3600; Path=/")});
        server.route("/set", setter);
        server.route("/script", titled("Static", "<script>document.title = 'Scripted';</script>"));
        frmDocument *document = open(server.address(QStringLiteral("/set")), QStringLiteral("Set"));
        QVERIFY(document);

        WebProfileDialog dialog(app().web(), app().prompts, app().running());
        dialog.findChild<QPushButton *>(QStringLiteral("btnClearCookies"))->click();
        dialog.findChild<QCheckBox *>(QStringLiteral("chkJavaScript"))->setChecked(false);
        dialog.apply();
        QVERIFY(!app().web().profile()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));

        document->web()->navigate(server.address(QStringLiteral("/script")));
        QTRY_COMPARE(document->web()->locationURL(), server.address(QStringLiteral("/script")));
        QTRY_VERIFY(server.wasRequested("/script"));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Static"));
        QVERIFY(!server.requests().last().headers.contains("cookie"));
    }

    void pagesGoFullScreenAndBack()
    {
        LoopbackServer server;
        server.route("/video", titled("Video", "<button id=b onclick='this.requestFullscreen()'>full screen</button>"
                                               "<script>b.focus()</script>" + MainFixture::readyForKeys()));
        main().resize(900, 700);
        main().show();
        frmDocument *document = main().LoadNewDoc();
        document->showMaximized();
        auto *browser = qobject_cast<WebEngineBrowser *>(document->web());
        document->web()->navigate(server.address(QStringLiteral("/video")));
        QTRY_VERIFY(browser->view()->focusProxy());
        browser->view()->setFocus();
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("ready"));
        // A key press on the focused button is a user gesture, as the engine requires.
        QTest::keyClick(browser->view()->focusProxy(), Qt::Key_Space);
        QWebEngineView *full = nullptr;
        QTRY_VERIFY((full = QWebEngineView::forPage(browser->page())) && full != browser->view());
        QVERIFY(full->isFullScreen());
        browser->page()->triggerAction(QWebEnginePage::ExitFullScreen);
        QTRY_COMPARE(QWebEngineView::forPage(browser->page()), browser->view());
    }

    // The page's date in the order read in China, not the US order the page gives.
    void propertiesShowTheDateYearFirst()
    {
        LoopbackServer server;
        LoopbackServer::Response dated{titled("Dated")};
        dated.headers.append({QByteArray("Last-Modified"), QByteArray("Tue, 08 Dec 2026 06:03:00 GMT")});
        server.route("/dated", dated);
        main().show();
        frmDocument *document = open(server.address(QStringLiteral("/dated")), QStringLiteral("Dated"));
        QVERIFY(document);
        document->web()->execWB(BrowserControl::Properties);
        PagePropertiesDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = main().findChild<PagePropertiesDialog *>()) && dialog->isVisible());
        const QDateTime modified(QDate(2026, 12, 8), QTime(6, 3), Qt::UTC);
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("propModified"))->text(),
                 modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        dialog->accept();
    }

    // Asked again for the same site after a login, the user learns it was wrong.
    void aWrongLoginIsSaidSo()
    {
        LoopbackServer server;
        server.route("/private", LoopbackServer::locked("members", titled("Locked")));
        app().prompts.answerCredentials(std::pair{QStringLiteral("alice"), QStringLiteral("wrong")});
        app().prompts.answerCredentials(std::nullopt);
        frmDocument *document = main().LoadNewDoc();
        document->web()->navigate(server.address(QStringLiteral("/private")));
        QTRY_COMPARE(app().prompts.asked.size(), 2);
        const QString wrong = QStringLiteral("用户名或密码错误");
        QVERIFY(app().prompts.asked.at(0).contains(QStringLiteral("members")));
        QVERIFY(!app().prompts.asked.at(0).startsWith(wrong));
        QVERIFY2(app().prompts.asked.at(1).startsWith(wrong), qPrintable(app().prompts.asked.at(1)));
        QVERIFY(app().prompts.asked.at(1).contains(QStringLiteral("members")));
        // Once the user gave up, the next visit asks afresh.
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Locked"));
        app().prompts.answerCredentials(std::nullopt);
        document->web()->refresh();
        QTRY_COMPARE(app().prompts.asked.size(), 3);
        QVERIFY(!app().prompts.asked.at(2).startsWith(wrong));
    }
};

QTEST_MAIN(tst_WebProfile)
#include "tst_webprofile.moc"
