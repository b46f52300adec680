#include "LoopbackServer.h"
#include "PageScript.h"
#include "TestApp.h"
#include "autotext/KeyNotation.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

const QByteArray Page = R"(<html><head><meta charset="utf-8"><title>Typing</title></head><body>
<form id=form><input id=who><input id=mail><input id=phone><input type=submit></form>
<textarea id=notes cols=60 rows=4></textarea>
<div id=editable contenteditable style="width:300px;height:40px;border:1px solid"></div>
<iframe id=frame src="/inner" style="width:300px;height:60px"></iframe>
<iframe id=far style="width:300px;height:60px"></iframe>
<script>
var submitted = '', inputs = 0, fromFar = '';
addEventListener('message', e => fromFar = e.data);
addEventListener('input', () => ++inputs, true);
form.addEventListener('submit', e => {
  e.preventDefault();
  submitted = [who.value, mail.value, phone.value].join('|');
});
</script></body></html>)";

// A field of another site, which tells the page above when it takes the focus and what it holds.
const QByteArray Far = R"(<html><body style="margin:0"><input id=field style="width:100%;height:50px"><script>
field.onfocus = () => parent.postMessage('focused', '*');
field.oninput = () => parent.postMessage(field.value, '*');
</script></body></html>)";

const QByteArray Inner = R"(<html><head><meta charset="utf-8"></head><body><input id=inner>
<script>var inputs = 0; addEventListener('input', () => ++inputs, true);</script></body></html>)";

// A line of a snippet that fills 254 bytes of UTF-8, Chinese and ASCII mixed.
const QString Line = QStringLiteral("收件人：张三 Zhang San，电话 13800000000，地址：北京市海淀区中关村大街 27 号 "
                                    "Building A-1203，邮编 100080，备注：工作日 9:00-18:00 送达，请提前电话联系，谢谢！"
                                    "Please call us before the delivery. Thank you!");

QList<KeyStroke> strokes(const QString &snippet)
{
    const KeyNotation::Parsed parsed = KeyNotation::parse(snippet);
    if (!parsed.error.isEmpty())
        qFatal("bad snippet %s: %s", qPrintable(snippet), qPrintable(parsed.error));
    return parsed.strokes;
}

// QObject::receivers is protected; a member pointer taken in a subclass reaches it.
struct Receivers : QObject
{
    static int ofFocusChanges() { return (qApp->*&Receivers::receivers)(SIGNAL(focusChanged(QWidget*,QWidget*))); }
};

} // namespace

// Typing a snippet into the page as the user's keyboard and input method would.
class tst_SendKeys : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    LoopbackServer server;
    QWidget window;
    QLineEdit *line = nullptr;
    WebEngineBrowser *browser = nullptr;

    QVariant value(const QString &expression) { return evaluate(browser, expression); }

    // Whether our own world has the counter, in the page and in its frame.
    QStringList counted()
    {
        auto answer = std::make_shared<QVariant>();
        browser->page()->runJavaScript(QStringLiteral("[typeof vantorelTyping, typeof frame.contentWindow.vantorelTyping]"),
                                       QWebEngineScript::ApplicationWorld, [answer](const QVariant &v) { *answer = v; });
        return QTest::qWaitFor([&] { return answer->isValid(); }, 5000) ? answer->toStringList() : QStringList();
    }

    // The script that finds an element of the page or of its frame.
    static QString element(const QString &id)
    {
        return id == QLatin1String("inner") ? QStringLiteral("frame.contentDocument.getElementById('inner')")
                                            : QStringLiteral("document.getElementById('%1')").arg(id);
    }

    // Clicks into the element, as a user does before typing.
    bool clickInto(const QString &id)
    {
        const QString rect = QStringLiteral("(function(){var r=%1.getBoundingClientRect();"
                                            "var f=%2;return [f.left+r.left+r.width/2, f.top+r.top+r.height/2];})()")
                                 .arg(element(id),
                                      id == QLatin1String("inner") ? QStringLiteral("frame.getBoundingClientRect()")
                                                                   : QStringLiteral("{left:0,top:0}"));
        const QVariantList center = value(rect).toList();
        if (center.size() != 2)
            return false;
        QWidget *proxy = browser->view()->focusProxy();
        QTest::mouseClick(proxy, Qt::LeftButton, {}, QPoint(center[0].toInt(), center[1].toInt()));
        return QTest::qWaitFor(
            [&] {
                return value(QStringLiteral("(%1 === (%1.ownerDocument.activeElement))").arg(element(id))).toBool()
                       && QApplication::focusWidget() == proxy;
            },
            5000);
    }

    bool type(const QString &snippet)
    {
        QSignalSpy sent(browser, &BrowserControl::keysSent);
        browser->sendKeys(strokes(snippet));
        return sent.wait(10000) && sent.size() == 1;
    }

    QString text(const QString &id)
    {
        const QString e = element(id);
        return value(QStringLiteral("%1.isContentEditable ? %1.innerText : %1.value").arg(e)).toString();
    }

private slots:
    void initTestCase()
    {
        app = std::make_unique<TestApp>();
        server.route("/", Page);
        server.route("/inner", Inner);
        server.route("/far", Far);
        auto *column = new QVBoxLayout(&window);
        line = new QLineEdit(&window);
        column->addWidget(line);
        browser = qobject_cast<WebEngineBrowser *>(app->web().createBrowser(&window));
        QVERIFY(browser);
        column->addWidget(browser, 1);
        window.resize(800, 600);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy loaded(browser, &BrowserControl::DocumentComplete);
        browser->navigate(server.address(QStringLiteral("/")));
        QVERIFY(loaded.wait(20000));
        QTRY_VERIFY_WITH_TIMEOUT(value(QStringLiteral("frame.contentDocument.getElementById('inner') != null"))
                                     .toBool(), 10000);
        QTRY_VERIFY(browser->view()->focusProxy());
    }

    void init()
    {
        value(QStringLiteral("form.reset(); notes.value=''; editable.textContent=''; submitted=''; inputs=0;"
                             "frame.contentDocument.getElementById('inner').value=''; frame.contentWindow.inputs=0"));
        line->clear();
    }

    void cleanupTestCase()
    {
        delete browser;
        app.reset();
    }

    // More browsers add no focus handler; a page and its frame get the counter with the first keys.
    void typingCostsNothingUntilUsed()
    {
        const int handlers = Receivers::ofFocusChanges();
        const std::unique_ptr<BrowserControl> more(app->web().createBrowser(nullptr));
        QCOMPARE(Receivers::ofFocusChanges(), handlers);
        QCOMPARE(counted(), (QStringList{"undefined", "undefined"}));
        QVERIFY(clickInto(QStringLiteral("who")));
        QVERIFY(type(QStringLiteral("a")));
        QCOMPARE(counted(), (QStringList{"object", "object"}));
        QVERIFY(type(QStringLiteral("b")));
        QCOMPARE(text(QStringLiteral("who")), QStringLiteral("ab"));
    }

    void fillsAFormAndSubmitsIt()
    {
        QVERIFY(clickInto(QStringLiteral("who")));
        QVERIFY(type(QStringLiteral("张三{TAB}zhangsan@example.com{TAB}13800000000~")));
        QCOMPARE(text(QStringLiteral("who")), QStringLiteral("张三"));
        QCOMPARE(text(QStringLiteral("mail")), QStringLiteral("zhangsan@example.com"));
        QCOMPARE(text(QStringLiteral("phone")), QStringLiteral("13800000000"));
        QCOMPARE(value(QStringLiteral("submitted")).toString(),
                 QStringLiteral("张三|zhangsan@example.com|13800000000"));
    }

    void ctrlAReplacesWhatIsThere()
    {
        value(QStringLiteral("mail.value = 'old@example.com'"));
        QVERIFY(clickInto(QStringLiteral("mail")));
        QVERIFY(type(QStringLiteral("^a新的@example.com")));
        QCOMPARE(text(QStringLiteral("mail")), QStringLiteral("新的@example.com"));
    }

    void typesIntoEditors_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("textarea") << QStringLiteral("notes");
        QTest::newRow("contenteditable") << QStringLiteral("editable");
        QTest::newRow("input in a frame") << QStringLiteral("inner");
    }

    void typesIntoEditors()
    {
        QFETCH(QString, id);
        QCOMPARE(Line.toUtf8().size(), 254);
        QVERIFY(clickInto(id));
        QVERIFY(type(Line));
        QCOMPARE(text(id), Line);
        // In one piece, as an input method commits it, not a key at a time.
        const QString scope = id == QLatin1String("inner") ? QStringLiteral("frame.contentWindow.") : QString();
        QCOMPARE(value(scope + QStringLiteral("inputs")).toInt(), 1);
    }

    // A second call types after the first, and Backspace and the arrows move and delete.
    void editingKeysActInOrder()
    {
        QVERIFY(clickInto(QStringLiteral("who")));
        QSignalSpy sent(browser, &BrowserControl::keysSent);
        browser->sendKeys(strokes(QStringLiteral("abcd{LEFT 2}")));
        browser->sendKeys(strokes(QStringLiteral("{BS}X{RIGHT 2}Y")));
        QTRY_COMPARE_WITH_TIMEOUT(sent.size(), 2, 10000);
        QCOMPARE(text(QStringLiteral("who")), QStringLiteral("aXcdY"));
    }

    // The user picks a snippet elsewhere in the window; it goes into the page's field.
    void theFieldGetsItNotTheWidgetWithTheFocus()
    {
        QVERIFY(clickInto(QStringLiteral("phone")));
        line->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), line);
        QVERIFY(type(QStringLiteral("13800000000{TAB}x")));
        QCOMPARE(text(QStringLiteral("phone")), QStringLiteral("13800000000"));
        QCOMPARE(line->text(), QString());
        QCOMPARE(QApplication::focusWidget(), browser->view()->focusProxy());
    }

    // What goes into a frame of another site cannot be counted: the call ends only once the
    // page has shown no progress for a while, as keys still on their way under load need.
    void keysThatCannotBeCountedEndTheCallAfterAQuietWhile()
    {
        const QString far = server.address(QStringLiteral("/far")).replace(QLatin1String("127.0.0.1"), QLatin1String("localhost"));
        value(QStringLiteral("far.src = '%1'").arg(far));
        QTRY_VERIFY(server.wasRequested("/far"));
        const QVariantList center = value(QStringLiteral("var r = far.getBoundingClientRect(); [r.x + 20, r.y + 20]")).toList();
        QCOMPARE(center.size(), 2);
        QTRY_VERIFY(browser->view()->focusProxy());
        QTest::mouseClick(browser->view()->focusProxy(), Qt::LeftButton, {}, QPoint(center[0].toInt(), center[1].toInt()));
        QTRY_COMPARE(value(QStringLiteral("fromFar")).toString(), QStringLiteral("focused"));
        QElapsedTimer quiet;
        quiet.start();
        QVERIFY(type(QStringLiteral("x")));
        QVERIFY2(quiet.elapsed() >= 200, qPrintable(QString::number(quiet.elapsed())));
        QTRY_COMPARE(value(QStringLiteral("fromFar")).toString(), QStringLiteral("x"));
    }

    void aHiddenPageTypesNothing()
    {
        QVERIFY(clickInto(QStringLiteral("who")));
        line->setFocus();
        browser->hide();
        QVERIFY(type(QStringLiteral("abc")));
        browser->show();
        QCOMPARE(line->text(), QString());
        QCOMPARE(text(QStringLiteral("who")), QString());
    }
};

QTEST_MAIN(tst_SendKeys)
#include "tst_sendkeys.moc"
