// bench_search: times Vantorel's multi-engine search inside one process.
//
//   bench_search [--engines N] [--timeout S] [--count-updates] [--profile]
//
// Serves N results pages on loopback, writes one engine group of N engines
// into a temporary program folder, loads the main window with about:blank and
// waits for that page (so the web engine is warm). Then it ticks every engine,
// types the query and calls GoSearch_Click, and prints one line
//
//   windows_ms W served_ms S load_ms L view WxH area WxH
//
// W: until the call returned with all N new document windows present;
// S: until the site served the last results page; L: until every new
// window's control reported DocumentComplete; view: the size of the last
// window's browser control, so the floor can use views of the same size;
// area: the size of the main window's document area they share.
// Exit status 1 when anything did not happen as expected.
//
// --profile instead takes LoadNewDoc's steps one by one for each engine and
// prints what each step cost in total, then what bare engine views cost.

#include "BenchWait.h"
#include "ResultsSite.h"
#include "UpdateCounter.h"
#include "MainWindow.h"
#include "TestApp.h"
#include "core/IniFile.h"
#include "shell/Startup.h"
#include "document/DocumentHost.h"
#include "shell/frmMain.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "search/EngineTree.h"
#include "search/SearchPage.h"
#include "search/MultiSearch.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMdiArea>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>
#include <functional>

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "bench_search: %s\n", what);
    return 1;
}



void writeEngines(const TestApp &app, const ResultsSite &site)
{
    const QString index = app.profileFile(QStringLiteral("engines.ini"));
    QFile::remove(index);
    WriteINI(index, QStringLiteral("engines"), QStringLiteral("files"), QStringLiteral("1"));
    WriteINI(index, QStringLiteral("engines"), QStringLiteral("file 1"), QStringLiteral("\\engines\\bench.ini"));
    QDir().mkpath(app.profileFile(QStringLiteral("engines")));
    const QString group = app.profileFile(QStringLiteral("engines/bench.ini"));
    QFile::remove(group);
    WriteINI(group, QStringLiteral("main"), QStringLiteral("ChineseName"), QStringLiteral("基准测试"));
    WriteINI(group, QStringLiteral("main"), QStringLiteral("Englishname"), QStringLiteral("bench"));
    WriteINI(group, QStringLiteral("main"), QStringLiteral("Number"), QString::number(site.engines()));
    WriteINI(group, QStringLiteral("main"), QStringLiteral("key"), QStringLiteral("{KEY}"));
    for (int i = 1; i <= site.engines(); ++i)
        WriteINI(group, QStringLiteral("engine"), QStringLiteral("e %1").arg(i),
                 QStringLiteral("引擎 %1,基准测试引擎,%2?q={KEY}").arg(i).arg(site.engineAddress(i)));
}

using Clock = QElapsedTimer;

double msSince(Clock &clock)
{
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    return ms;
}

// Windows opened by hand for the profile; their pages open no windows.
class ProfileHost : public DocumentHost
{
public:
    frmDocument *LoadNewDoc() override { return nullptr; }
    void CloseDoc() override {}
    frmDocument *pageWindow() override { return nullptr; }
};

// Where the time of opening the search windows goes: the steps of LoadNewDoc
// and of the search loop, timed separately, then the same number of bare
// browser controls and bare engine views for comparison.
int profile(frmMain &main, TestApp &program, ResultsSite &site, const QString &query, int timeoutMs)
{
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(query));
    const QStringList steps{"frmDocument ctor", "addSubWindow", "show", "setActiveSubWindow", "navigate",
                            "cascade"};
    QList<double> total(steps.size(), 0);
    QList<frmDocument *> created;
    QStringList navigateEach;
    int remaining = site.engines();
    ProfileHost host;
    Clock all, step;
    all.start();
    for (int i = 1; i <= site.engines(); ++i) {
        step.start();
        auto *document = new frmDocument(host, *program.context.browsers, program.context.programFolder);
        total[0] += msSince(step);
        areaOf(main)->addSubWindow(document);
        total[1] += msSince(step);
        document->show();
        total[2] += msSince(step);
        areaOf(main)->setActiveSubWindow(document);
        total[3] += msSince(step);
        QObject::connect(document->web(), &BrowserControl::DocumentComplete, &main, [&remaining] { --remaining; });
        document->web()->navigate(site.engineAddress(i) + QStringLiteral("?q=") + encoded);
        const double navigateMs = msSince(step);
        total[4] += navigateMs;
        navigateEach.append(QString::number(navigateMs, 'f', 0));
        action(main, QStringLiteral("mnuWindowCascade"))->trigger();
        total[5] += msSince(step);
        created.append(document);
    }
    const double windowsMs = msSince(all);
    for (qsizetype i = 0; i < steps.size(); ++i)
        std::printf("step %-20s %8.1f ms\n", qPrintable(steps[i]), total[i]);
    std::printf("step %-20s %8.1f ms\n", "all windows", windowsMs);
    std::printf("each navigate (ms): %s\n", qPrintable(navigateEach.join(QLatin1Char(' '))));
    if (!BenchWait::until([&] { return remaining <= 0; }, timeoutMs))
        return fail("not every results page reported DocumentComplete");
    std::printf("step %-20s %8.1f ms\n", "pages loaded", msSince(all) + windowsMs);
    BenchWait::settle(500);

    // The browser control alone, inside hidden parents, and shown on its own.
    QList<QWidget *> parents;
    step.start();
    for (int i = 0; i < site.engines(); ++i) {
        parents.append(new QWidget);
        program.web().createBrowser(parents.last());
    }
    std::printf("bare %-20s %8.1f ms\n", "createBrowser", msSince(step));
    for (QWidget *parent : parents) {
        parent->resize(640, 400);
        parent->show();
    }
    std::printf("bare %-20s %8.1f ms\n", "show control", msSince(step));
    BenchWait::settle(500);
    qDeleteAll(parents);
    BenchWait::settle(500);

    // A plain engine view on the default profile, as the floor makes them.
    QList<QWidget *> views;
    step.start();
    for (int i = 0; i < site.engines(); ++i)
        views.append(new QWebEngineView);
    std::printf("bare %-20s %8.1f ms\n", "QWebEngineView ctor", msSince(step));
    for (QWidget *view : views) {
        view->resize(640, 400);
        view->show();
    }
    std::printf("bare %-20s %8.1f ms\n", "show view", msSince(step));
    QStringList loadEach;
    for (qsizetype i = 0; i < views.size(); ++i) {
        static_cast<QWebEngineView *>(views[i])->load(
            QUrl(site.engineAddress(int(i) + 1) + QStringLiteral("?q=") + encoded + QStringLiteral("&bare=1")));
        loadEach.append(QString::number(msSince(step), 'f', 0));
    }
    std::printf("bare view load each (ms): %s\n", qPrintable(loadEach.join(QLatin1Char(' '))));
    BenchWait::settle(500);
    qDeleteAll(views);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    Startup::installTranslations(app);

    int engines = 20;
    int timeoutMs = 60000;
    bool countUpdates = false;
    bool profiling = false;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--engines") && i + 1 < args.size())
            engines = args[++i].toInt();
        else if (args[i] == QLatin1String("--timeout") && i + 1 < args.size())
            timeoutMs = args[++i].toInt() * 1000;
        else if (args[i] == QLatin1String("--count-updates"))
            countUpdates = true;
        else if (args[i] == QLatin1String("--profile"))
            profiling = true;
        else
            return fail("usage: bench_search [--engines N] [--timeout S] [--count-updates] [--profile]");
    }
    if (engines < 1)
        return fail("--engines must be at least 1");

    ResultsSite site(engines);
    if (!site.isListening())
        return fail("the loopback site did not start");
    TestApp program;
    writeEngines(program, site);

    frmMain main(program.context);
    main.Form_Load(QStringLiteral("vantorel -nohome about:blank"));
    // A desktop-sized window, so cascaded document windows keep a usable page area.
    main.resize(1200, 900);
    main.show();
    if (documentsOf(main).size() != 1)
        return fail("Form_Load did not leave exactly one document window");
    bool warm = false;
    QObject::connect(documentsOf(main).first()->web(), &BrowserControl::DocumentComplete, &main,
                     [&warm] { warm = true; });
    if (!BenchWait::until([&] { return warm; }, timeoutMs))
        return fail("the first page (about:blank) did not load");
    BenchWait::settle(300);

    pageOf<SearchPage>(main)->engines()->node(1)->setCheckState(0, Qt::Checked);
    if (pageOf<SearchPage>(main)->engines()->tickedTags().size() != engines)
        return fail("ticking the root did not tick every engine");
    const QString query = QString::fromUtf16(BenchQuery);
    main.findChild<QComboBox *>(QStringLiteral("SearchKey"))->setEditText(query);
    if (profiling)
        return profile(main, program, site, query, timeoutMs);

    // Hooked as each window becomes active inside LoadNewDoc, before it navigates.
    QList<frmDocument *> created;
    QList<bool> complete;
    int remaining = engines;
    double loadMs = -1;
    QElapsedTimer clock;
    UpdateCounter updates;
    int updatesAtLoad = 0;
    const auto hook = QObject::connect(areaOf(main), &QMdiArea::subWindowActivated, &main, [&](QMdiSubWindow *w) {
        auto *document = qobject_cast<frmDocument *>(w);
        if (!document || created.contains(document) || document == documentsOf(main).first())
            return;
        const qsizetype index = created.size();
        created.append(document);
        complete.append(false);
        QObject::connect(document->web(), &BrowserControl::DocumentComplete, &main, [&, index](const QString &address) {
            if (complete[index] || !address.startsWith(QLatin1String("http://127.0.0.1")))
                return;
            complete[index] = true;
            if (--remaining == 0) {
                loadMs = double(clock.nsecsElapsed()) / 1e6;
                updatesAtLoad = updates.count;
                if (countUpdates)
                    updates.report();
            }
        });
    });

    if (countUpdates)
        app.installEventFilter(&updates);
    site.startClock();
    clock.start();
    main.findChild<QPushButton *>(QStringLiteral("GoSearch"))->click();
    const qsizetype windows = documentsOf(main).size() - 1;
    const double windowsMs = double(clock.nsecsElapsed()) / 1e6;
    QObject::disconnect(hook);
    if (windows != engines || created.size() != engines)
        return fail("GoSearch_Click did not open one window per engine");

    if (!BenchWait::until([&] { return remaining == 0; }, timeoutMs))
        return fail("not every results page reported DocumentComplete");
    BenchWait::until([&] { return site.targets().size() >= engines; }, 2000);

    // The site must have seen each engine once, with the query encoded.
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(query));
    QStringList expected;
    for (int i = 1; i <= engines; ++i)
        expected.append(QStringLiteral("/e%1?q=%2").arg(i).arg(encoded));
    QStringList seen = site.targets();
    seen.sort();
    expected.sort();
    if (seen != expected) {
        std::fprintf(stderr, "bench_search: requests seen:\n");
        for (const QString &t : site.targets())
            std::fprintf(stderr, "  %s\n", qPrintable(t));
        return fail("the site did not see each engine's request with the encoded query");
    }
    for (int i = 0; i < engines; ++i) {
        if (created[i]->web()->locationName() != ResultsSite::pageTitle(i + 1))
            return fail("a window does not show its engine's results page");
    }

    const QSize view = created.last()->web()->size();
    const QSize area = areaOf(main)->viewport()->size();
    std::printf("windows_ms %.1f served_ms %.1f load_ms %.1f view %dx%d area %dx%d", windowsMs,
                site.lastServedMs(), loadMs, view.width(), view.height(), area.width(), area.height());
    if (countUpdates)
        std::printf(" updates %d window %dx%d", updatesAtLoad, main.width(), main.height());
    std::printf("\n");
    std::fflush(stdout);
    return 0;
}
