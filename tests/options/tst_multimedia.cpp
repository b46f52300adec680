#include "MainWindow.h"
#include "PageScript.h"
#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"
#include "shell/MainMenus.h"

#include "FileSizeLimit.h"
#include "OwnWarnings.h"

#include "options/MediaSettings.h"
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

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

// An animation in a frame of the page, and a sound that starts by itself.
const QByteArray FramedPage = "<html><head><meta charset=\"utf-8\"><title>Framed</title></head><body>"
                              "<iframe srcdoc=\"<style>@keyframes spin{to{transform:rotate(1turn)}}"
                              "div{animation:spin 5s infinite}</style><div>x</div>\"></iframe>"
                              "<script>var ac=new AudioContext(),o=ac.createOscillator(),"
                              "d=ac.createMediaStreamDestination();o.connect(d);o.start();"
                              "var a=document.createElement('audio');a.autoplay=true;a.srcObject=d.stream;"
                              "document.body.append(a);</script></body></html>";

bool muted(frmDocument *document)
{
    return qobject_cast<WebEngineBrowser *>(document->web())->page()->isAudioMuted();
}

} // namespace

// The View menu's four switches, on the real engine: what pages open now and later show and play.
class tst_Multimedia : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<frmMain> m_main;

    frmDocument *open(const QByteArray &page = Page, const QString &title = QStringLiteral("Media"))
    {
        return openDocument(*m_main, m_app->writeFile(title + QStringLiteral(".htm"), page), title);
    }
    QVariant value(frmDocument *document, const char *script) { return evaluate(document->web(), QLatin1String(script)); }
    QAction *item(const char *name) { return action(*m_main, QLatin1String(name)); }

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
        // With everything allowed, a page is left as it is.
        QVERIFY(value(before, "document.querySelector('style#vantorel-media') === null").toBool());

        for (const char *name : {"mnuViewShowPicture", "mnuViewPlaySound", "mnuViewPlayANI", "mnuViewPlayVideo"})
            item(name)->trigger();
        QVERIFY(!item("mnuViewShowPicture")->isChecked());
        QCOMPARE(m_app->settings().get(MediaSettings::ShowPicture), QStringLiteral("0"));
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
        QCOMPARE(m_app->settings().get(MediaSettings::PlayVideo), QStringLiteral("1"));
        QVERIFY(!muted(after));
        QTRY_VERIFY(value(after, "document.getAnimations().length > 0").toBool());
    }

    // Video off leaves sound alone; a switch reaches the frames of a page already open.
    void eachSwitchActsOnItsOwnMediaInEveryFrame()
    {
        frmDocument *framed = open(FramedPage, QStringLiteral("Framed"));
        QVERIFY(framed);
        const char *frameAnimations = "document.querySelector('iframe').contentDocument.getAnimations().length";
        QTRY_COMPARE(value(framed, frameAnimations).toInt(), 1);
        item("mnuViewPlayANI")->trigger();
        QTRY_COMPARE(value(framed, frameAnimations).toInt(), 0);

        item("mnuViewPlayVideo")->trigger();
        frmDocument *later = open(FramedPage, QStringLiteral("Framed"));
        QVERIFY(later);
        QTRY_VERIFY(value(later, "!a.paused").toBool());
        QCOMPARE(value(later, frameAnimations).toInt(), 0);
    }

    // Tools > Internet options shows the View menu's pictures switch, and what it keeps is read again.
    void theProfileDialogSharesThePicturesSwitchAndKeepsItsChoices()
    {
        item("mnuViewShowPicture")->trigger();
        action(*m_main, QStringLiteral("mnuToolsIEOptions"))->trigger();
        QDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = m_main->findChild<QDialog *>(QStringLiteral("WebProfileDialog"))));
        auto *images = dialog->findChild<QCheckBox *>(QStringLiteral("chkImages"));
        QVERIFY(!images->isChecked());
        images->setChecked(true);
        dialog->findChild<QCheckBox *>(QStringLiteral("chkJavaScript"))->setChecked(false);
        dialog->findChild<QLineEdit *>(QStringLiteral("txtDownloadFolder"))->setText(m_app->file(QStringLiteral("dl")));
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QVERIFY(item("mnuViewShowPicture")->isChecked());
        QCOMPARE(m_app->settings().get(MediaSettings::ShowPicture), QStringLiteral("1"));

        QWebEngineProfile *profile = m_app->web().profile();
        profile->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
        profile->setDownloadPath(m_app->folder());
        m_app->web().loadOptions();
        QVERIFY(!profile->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
        QCOMPARE(profile->downloadPath(), m_app->file(QStringLiteral("dl")));
    }

    // A switch still acts when its setting cannot be kept, and the user is told.
    void aSwitchThatCannotBeSavedIsSaid()
    {
        m_app->prompts.expectMessage(QStringLiteral("无法保存设置："));
        {
            const ExpectedWarning warned(QRegularExpression(QStringLiteral("cannot write")));
            FileSizeLimit full(0);
            item("mnuViewPlaySound")->trigger();
        }
        QVERIFY(!item("mnuViewPlaySound")->isChecked());
        QCOMPARE(m_app->settings().get(MediaSettings::PlaySound), QStringLiteral("1"));
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
