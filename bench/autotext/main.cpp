// bench_autotext: how long typing a snippet into a page takes, against setting
// the same text with one script.
//
//   bench_autotext [--runs N] [--fields N]
//
// Opens a local page with a textarea and N text fields (default 20) in a
// browser control, and for each run, taking turns, clicks into the field as a
// user does and times from the call on:
//
//   text:   sendKeys with a line of 254 bytes of UTF-8 (Chinese and ASCII),
//           until the textarea holds it;
//   fields: sendKeys with N values separated by {TAB}, until every field holds
//           its value;
//   floor:  the same text set by one script (runJavaScript assigning .value),
//           until its answer.
//
// "Until" is asked of the page by scripts sent one after the other. It prints
// every run, the medians and both ratios to the floor; the last line is
//
//   ratio R
//
// R: the worse of the two. Exit status 1 when the text did not arrive.

#include "TestApp.h"
#include "autotext/KeyNotation.h"
#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int TimeoutMs = 10000;

// 254 bytes of UTF-8.
const QString Line = QStringLiteral("收件人：张三 Zhang San，电话 13800000000，地址：北京市海淀区中关村大街 27 号 "
                                    "Building A-1203，邮编 100080，备注：工作日 9:00-18:00 送达，请提前电话联系，谢谢！"
                                    "Please call us before the delivery. Thank you!");

int fail(const char *what)
{
    std::fprintf(stderr, "bench_autotext: %s\n", what);
    return 1;
}

QString literal(const QString &text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

QByteArray page(int fields)
{
    QByteArray html = "<html><head><meta charset=\"utf-8\"><title>Autotext</title></head><body>"
                      "<textarea id=notes cols=60 rows=4></textarea><form>";
    for (int i = 1; i <= fields; ++i)
        html += "<input id=f" + QByteArray::number(i) + " size=16>";
    return html + "</form></body></html>";
}

// Runs the event loop until the page's answer to script is expected; the time
// from clock's start then, or -1.
double untilPage(QWebEnginePage *page, const QString &script, const QVariant &expected, const QElapsedTimer &clock)
{
    struct State
    {
        QEventLoop loop;
        double ms = -1;
        bool waiting = true;
    };
    auto state = std::make_shared<State>();
    std::function<void()> ask = [&, state] {
        page->runJavaScript(script, [&, state](const QVariant &answer) {
            if (!state->waiting)
                return;
            if (answer == expected) {
                state->ms = double(clock.nsecsElapsed()) / 1e6;
                state->waiting = false;
                state->loop.quit();
            } else {
                ask();
            }
        });
    };
    ask();
    QTimer::singleShot(TimeoutMs, &state->loop, [state] {
        state->waiting = false;
        state->loop.quit();
    });
    state->loop.exec();
    return state->ms;
}

QVariant answer(QWebEnginePage *page, const QString &script)
{
    QElapsedTimer clock;
    clock.start();
    QVariant result;
    QEventLoop loop;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    return result;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class Bench
{
public:
    Bench(WebEngineBrowser *browser, int fields) : m_browser(browser), m_page(browser->page()), m_fields(fields)
    {
        QStringList values;
        for (int i = 1; i <= fields; ++i)
            values.append(QStringLiteral("第%1项 item-%1").arg(i));
        m_values = values.join(QLatin1Char('\n'));
        m_snippet = values.join(QStringLiteral("{TAB}"));
        m_readFields = QStringLiteral("Array.from({length: %1}, (_, i) => document.getElementById('f' + (i + 1)).value)"
                                      ".join('\\n')")
                           .arg(fields);
        QString set;
        for (int i = 1; i <= fields; ++i)
            set += QStringLiteral("f%1.value = %2;").arg(i).arg(literal(values[i - 1]));
        m_setFields = set + QStringLiteral("0");
    }

    // -1 when the text never arrived.
    double typeText(double *sent) { return type(QStringLiteral("notes"), Line, QStringLiteral("notes.value"), Line, sent); }
    double typeFields(double *sent)
    {
        return type(QStringLiteral("f1"), m_snippet, m_readFields, m_values, sent);
    }
    double floorText() { return floor(QStringLiteral("notes.value = %1; 0").arg(literal(Line)), QStringLiteral("notes.value"), Line); }
    double floorFields() { return floor(m_setFields, m_readFields, m_values); }

private:
    void reset()
    {
        answer(m_page, QStringLiteral("document.forms[0].reset(); notes.value = ''; document.activeElement.blur(); 0"));
    }

    bool clickInto(const QString &id)
    {
        const QVariantList center =
            answer(m_page, QStringLiteral("(function(){var r = %1.getBoundingClientRect();"
                                          "return [r.left + r.width / 2, r.top + r.height / 2];})()")
                               .arg(id))
                .toList();
        QWidget *proxy = m_browser->view()->focusProxy();
        if (center.size() != 2 || !proxy)
            return false;
        QTest::mouseClick(proxy, Qt::LeftButton, {}, QPoint(center[0].toInt(), center[1].toInt()));
        QElapsedTimer clock;
        clock.start();
        return untilPage(m_page, QStringLiteral("document.activeElement.id"), id, clock) >= 0
               && QApplication::focusWidget() == proxy;
    }

    double type(const QString &id, const QString &snippet, const QString &read, const QString &expected, double *sent)
    {
        reset();
        if (!clickInto(id))
            return -1;
        const KeyNotation::Parsed parsed = KeyNotation::parse(snippet);
        if (!parsed.error.isEmpty())
            return -1;
        QSignalSpy keysSent(m_browser, &BrowserControl::keysSent);
        *sent = -1;
        QElapsedTimer clock;
        const auto hook = QObject::connect(m_browser, &BrowserControl::keysSent, m_browser,
                                           [&] { *sent = double(clock.nsecsElapsed()) / 1e6; });
        clock.start();
        m_browser->sendKeys(parsed.strokes);
        const double ms = untilPage(m_page, read, expected, clock);
        if (keysSent.isEmpty())
            keysSent.wait(TimeoutMs);
        QObject::disconnect(hook);
        return ms;
    }

    double floor(const QString &set, const QString &read, const QString &expected)
    {
        reset();
        QElapsedTimer clock;
        clock.start();
        const QVariant done = answer(m_page, set);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        return done.isValid() && answer(m_page, read).toString() == expected ? ms : -1;
    }

    WebEngineBrowser *m_browser;
    QWebEnginePage *m_page;
    int m_fields;
    QString m_values;  // what the fields hold afterwards, a line each
    QString m_snippet; // the values separated by {TAB}
    QString m_readFields;
    QString m_setFields;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int runs = 7;
    int fields = 20;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = args[++i].toInt();
        else if (args[i] == QLatin1String("--fields") && i + 1 < args.size())
            fields = args[++i].toInt();
        else
            return fail("usage: bench_autotext [--runs N] [--fields N]");
    }
    if (runs < 1 || fields < 2)
        return fail("--runs must be at least 1 and --fields at least 2");
    if (Line.toUtf8().size() != 254)
        return fail("the line is not 254 bytes");

    TestApp program;
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    auto *browser = qobject_cast<WebEngineBrowser *>(program.web().createBrowser(&window));
    if (!browser)
        return fail("no engine browser");
    column->addWidget(browser);
    window.resize(1000, 700);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return fail("the window did not become active");
    QSignalSpy loaded(browser, &BrowserControl::DocumentComplete);
    browser->navigate(program.writeFile(QStringLiteral("autotext.htm"), page(fields)));
    if (!loaded.wait(30000))
        return fail("the page did not load");

    Bench bench(browser, fields);
    QList<double> text, textSent, textFloor, typed, typedSent, typedFloor;
    // The first round warms the engine up and is not counted.
    for (int run = 0; run <= runs; ++run) {
        double sentText = 0, sentFields = 0;
        const double t = bench.typeText(&sentText);
        const double tf = bench.floorText();
        const double f = bench.typeFields(&sentFields);
        const double ff = bench.floorFields();
        if (t < 0 || tf < 0)
            return fail("the line did not arrive in the textarea");
        if (f < 0 || ff < 0)
            return fail("the fields were not all filled");
        if (run == 0)
            continue;
        std::printf("run %d  text %6.1f ms (keysSent %6.1f) floor %5.1f ms   fields %6.1f ms (keysSent %6.1f) "
                    "floor %5.1f ms\n",
                    run, t, sentText, tf, f, sentFields, ff);
        text.append(t);
        textSent.append(sentText);
        textFloor.append(tf);
        typed.append(f);
        typedSent.append(sentFields);
        typedFloor.append(ff);
    }
    const double textRatio = median(text) / median(textFloor);
    const double fieldsRatio = median(typed) / median(typedFloor);
    std::printf("median text   %6.1f ms (keysSent %6.1f)  floor %5.1f ms  ratio %.2f\n", median(text),
                median(textSent), median(textFloor), textRatio);
    std::printf("median fields %6.1f ms (keysSent %6.1f)  floor %5.1f ms  ratio %.2f  (%d fields)\n", median(typed),
                median(typedSent), median(typedFloor), fieldsRatio, fields);
    std::printf("ratio %.2f\n", std::max(textRatio, fieldsRatio));
    std::fflush(stdout);
    delete browser;
    return 0;
}
