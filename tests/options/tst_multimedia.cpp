#include "MainWindow.h"
#include "PageScript.h"
#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"
#include "shell/MainMenus.h"

#include <QAction>
#include <QTest>

namespace {

const QByteArray Page = "<html><head><meta charset=\"utf-8\"><title>Media</title>"
                        "<style>@keyframes grow{from{width:10px}to{width:400px}}"
                        "#box{height:10px;background:red;animation:grow 10s infinite}</style></head><body>"
                        "<img id=picture src=\"images/earth.svg\"><div id=box></div><canvas id=c width=8 height=8></canvas>"
                        "<script>var v=document.createElement('video');v.muted=true;v.autoplay=true;"
                        "v.addEventListener('play',function(){window.tried=true});"
                        "v.srcObject=c.captureStream();document.body.append(v);"
                        "setInterval(function(){c.getContext('2d').fillRect(0,0,Math.random()*8,8)},20);</script>"
                        "</body></html>";

bool muted(frmDocument *document)
{
    return qobject_cast<WebEngineBrowser *>(document->Web)->page()->isAudioMuted();
}

} // namespace

// The View menu's four switches, on the real engine: what pages open now and later show and play.
class tst_Multimedia : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<frmMain> m_main;

    frmDocument *open()
    {
        frmDocument *document = m_main->LoadNewDoc();
        document->Web->navigate(m_app->writeFile(QStringLiteral("media.htm"), Page));
        return QTest::qWaitFor([&] { return document->windowTitle() == QLatin1String("Media"); }) ? document : nullptr;
    }
    QVariant value(frmDocument *document, const char *script) { return evaluate(document->Web, QLatin1String(script)); }
    QAction *item(const char *name) { return m_main->menus()->item(QLatin1String(name)); }

private slots:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        m_main = startMainWindow(*m_app);
        QVERIFY(m_main);
    }
    void cleanup()
    {
        m_main.reset();
        m_app.reset();
    }

    // Every switch reaches the page already open and every page opened after it.
    void switchedOffAndOnAgain()
    {
        frmDocument *before = open();
        QVERIFY(before);
        QTRY_VERIFY(value(before, "document.getElementById('picture').naturalWidth > 0").toBool());
        QVERIFY(value(before, "document.getAnimations().length > 0").toBool());
        QTRY_VERIFY(value(before, "window.tried === true && !v.paused").toBool());
        QVERIFY(!muted(before));

        for (const char *name : {"mnuViewShowPicture", "mnuViewPlaySound", "mnuViewPlayANI", "mnuViewPlayVideo"})
            item(name)->trigger();
        QVERIFY(!item("mnuViewShowPicture")->isChecked());
        QCOMPARE(m_app->settings().get(SettingKeys::ShowPicture), QStringLiteral("0"));
        QVERIFY(muted(before));
        QTRY_VERIFY(value(before, "document.getAnimations().length == 0").toBool());
        QTRY_VERIFY(value(before, "v.paused").toBool());
        QCOMPARE(value(before, "getComputedStyle(document.getElementById('picture')).visibility").toString(),
                 QStringLiteral("hidden"));

        frmDocument *after = open();
        QVERIFY(after);
        QVERIFY(muted(after));
        // Data there to play, and yet it does not start.
        QTRY_VERIFY(value(after, "v.readyState >= 2").toBool());
        QVERIFY(value(after, "v.paused").toBool());
        QCOMPARE(value(after, "document.getElementById('picture').naturalWidth").toInt(), 0);
        QCOMPARE(value(after, "document.getAnimations().length").toInt(), 0);

        for (const char *name : {"mnuViewShowPicture", "mnuViewPlaySound", "mnuViewPlayANI", "mnuViewPlayVideo"})
            item(name)->trigger();
        QCOMPARE(m_app->settings().get(SettingKeys::PlayVideo), QStringLiteral("1"));
        QVERIFY(!muted(after));
        QTRY_VERIFY(value(after, "document.getAnimations().length > 0").toBool());
    }

    // What was switched off stays off at the next start.
    void theChoiceSurvivesARestart()
    {
        item("mnuViewPlaySound")->trigger();
        item("mnuViewShowPicture")->trigger();
        m_main.reset();
        m_main = startMainWindow(*m_app);
        QVERIFY(m_main);
        QVERIFY(!item("mnuViewPlaySound")->isChecked());
        QVERIFY(item("mnuViewPlayANI")->isChecked());
        frmDocument *document = open();
        QVERIFY(document);
        QVERIFY(muted(document));
        QCOMPARE(value(document, "document.getElementById('picture').naturalWidth").toInt(), 0);
    }
};

QTEST_MAIN(tst_Multimedia)
#include "tst_multimedia.moc"
