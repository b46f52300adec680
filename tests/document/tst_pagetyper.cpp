#include "document/webengine/PageTyper.h"
#include "document/webengine/TypingPage.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Unless its widget has the focus at the start, the page still says it has the focus
// (it has not heard it lost it). It hears it got the focus focusLag answers after it
// did (-1: never gets it), and takes in a stroke every msPerStroke ms (-1: none it can count).
struct Script
{
    const char *name;
    bool visible, focused;
    int focusLag, msPerStroke, delivered, minMs, maxMs;
};

const Script Scripts[] = {
    {"counted at once: done before the idle rule", true, true, 0, 0, 3, 0, 250},
    {"page hears of its focus late", true, true, 3, 0, 3, 0, 1500},
    {"given the focus: a stale yes is not enough", true, false, 3, 0, 3, 0, 1500},
    {"slow but steady: all counted", true, true, 0, 200, 3, 550, 1500},
    {"nothing counted: given up after 300 ms idle", true, true, 0, -1, 3, 300, 900},
    {"never focused: dropped after 2 s", true, false, -1, 0, 0, 1800, 4000},
    {"hidden: dropped at once", false, true, 0, 0, 0, 0, 250},
};

struct ScriptedPage : TypingPage
{
    explicit ScriptedPage(const Script &script) : s(script), widget(s.focused), focusedAt(s.focused ? 0 : -1) {}
    bool heard() const { return widget && focusedAt >= 0 && answers > focusedAt + s.focusLag; }
    bool isVisible() const override { return s.visible; }
    bool hasFocus() const override { return widget; }
    void focus() override
    {
        widget = s.focusLag >= 0;
        focusedAt = answers;
    }
    void focusLateWidget() override {}
    void deliver(const KeyStroke &stroke) override
    {
        lost += heard() ? 0 : 1;
        delivered.append(stroke);
        sinceDelivery.start();
    }
    void count(std::function<void(const QVariant &)> answer) override
    {
        QTimer::singleShot(0, &context, [this, answer] {
            ++answers;
            const qsizetype arrived = s.msPerStroke < 0 || delivered.isEmpty() ? 0
                                      : s.msPerStroke == 0 ? delivered.size()
                                                           : std::min(delivered.size(), sinceDelivery.elapsed() / s.msPerStroke);
            answer(QVariantList{heard() || !s.focused, 0, arrived, heard() ? 1 : 0}); // texts only
        });
    }

    const Script &s;
    bool widget;
    int focusedAt, answers = 0, lost = 0; // lost: sent before the page heard it had the focus
    QList<KeyStroke> delivered;
    QElapsedTimer sinceDelivery;
    QObject context;
};

} // namespace

// The typer's rules, against a page whose answers are scripted.
class tst_PageTyper : public QObject
{
    Q_OBJECT

private slots:
    void typesOnceThePageHasHeardItHasTheFocus_data()
    {
        QTest::addColumn<int>("script");
        for (int i = 0; i < int(std::size(Scripts)); ++i)
            QTest::newRow(Scripts[i].name) << i;
    }

    void typesOnceThePageHasHeardItHasTheFocus()
    {
        QFETCH(int, script);
        const Script &s = Scripts[script];
        auto scripted = std::make_unique<ScriptedPage>(s);
        ScriptedPage &page = *scripted;
        PageTyper typer(std::move(scripted));
        QSignalSpy typed(&typer, &PageTyper::typed);
        QElapsedTimer clock;
        clock.start();
        typer.type({{QStringLiteral("张三"), 0, {}, {}}, {QStringLiteral("李四"), 0, {}, {}}, {QStringLiteral("😀"), 0, {}, {}}});
        QVERIFY(typed.wait(5000));
        const qint64 ms = clock.elapsed();
        QVERIFY2(ms >= s.minMs && ms <= s.maxMs, qPrintable(QString::number(ms)));
        QCOMPARE(page.delivered.size(), s.delivered);
        QCOMPARE(page.lost, 0);
    }
};

QTEST_MAIN(tst_PageTyper)
#include "tst_pagetyper.moc"
