// bench_search_floor: the least a Qt WebEngine program does to open the same
// N results pages as bench_search, so its load time has a floor to compare with.
//
//   bench_search_floor [--engines N] [--size WxH] [--window WxH] [--top-level]
//                      [--disk-profile] [--timeout S]
//
// Serves the same site in-process, warms up with one view on about:blank in
// a top-level window, then at t0 creates N views of the given size on
// /e1 ... /eN (with the same query), overlapping as children of that one
// window the way document windows share a main window (--window: that
// window's size; --top-level: each view a window of its own), and prints
//
//   windows_ms W served_ms S load_ms L
//
// W: until the N views exist and are shown; S: until the site served the last
// page; L: until every view's first loadFinished.
//
// --disk-profile: the views share a named profile that keeps cookies and a
// disk cache, as a real browser's does, instead of the default in-memory one.

#include "BenchWait.h"
#include "ResultsSite.h"
#include "UpdateCounter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "bench_search_floor: %s\n", what);
    return 1;
}


} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bench_search_floor"));

    int engines = 20;
    QSize size(1024, 768);
    QSize windowSize;
    int timeoutMs = 60000;
    bool countUpdates = false;
    bool topLevel = false;
    bool diskProfile = false;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--engines") && i + 1 < args.size()) {
            engines = args[++i].toInt();
        } else if (args[i] == QLatin1String("--size") && i + 1 < args.size()) {
            const QStringList wh = args[++i].split(QLatin1Char('x'));
            size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
        } else if (args[i] == QLatin1String("--window") && i + 1 < args.size()) {
            const QStringList wh = args[++i].split(QLatin1Char('x'));
            windowSize = QSize(wh.value(0).toInt(), wh.value(1).toInt());
        } else if (args[i] == QLatin1String("--disk-profile")) {
            diskProfile = true;
        } else if (args[i] == QLatin1String("--top-level")) {
            topLevel = true;
        } else if (args[i] == QLatin1String("--count-updates")) {
            countUpdates = true;
        } else if (args[i] == QLatin1String("--timeout") && i + 1 < args.size()) {
            timeoutMs = args[++i].toInt() * 1000;
        } else {
            return fail("usage: bench_search_floor [--engines N] [--size WxH] [--window WxH] [--top-level]"
                        " [--disk-profile] [--timeout S]");
        }
    }
    if (engines < 1 || size.isEmpty())
        return fail("bad --engines or --size");

    ResultsSite site(engines);
    if (!site.isListening())
        return fail("the loopback site did not start");

    std::unique_ptr<QWebEngineProfile> profile;
    if (diskProfile) {
        profile = std::make_unique<QWebEngineProfile>(QStringLiteral("bench"));
        profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    }
    const auto openView = [&](QWidget *parent) {
        auto *view = new QWebEngineView(parent);
        if (profile)
            view->setPage(new QWebEnginePage(profile.get(), view));
        return view;
    };

    // The window that holds the warm-up view and, unless --top-level, the others.
    constexpr int Step = 24;
    QWidget window;
    window.resize(windowSize.isEmpty() ? size + QSize(Step * 10, Step * 10) : windowSize);
    QWebEngineView *warmView = openView(&window);
    bool warm = false;
    QObject::connect(warmView, &QWebEngineView::loadFinished, [&warm] { warm = true; });
    warmView->resize(size);
    warmView->load(QUrl(QLatin1String(WarmUpAddress)));
    window.show();
    if (!BenchWait::until([&] { return warm; }, timeoutMs))
        return fail("the warm-up page did not load");
    {
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
    }

    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(QString::fromUtf16(BenchQuery)));
    std::vector<std::unique_ptr<QWebEngineView>> views;
    QList<bool> done(engines, false);
    int remaining = engines;
    int failed = 0;
    double loadMs = -1;
    QElapsedTimer clock;
    UpdateCounter updates;
    int updatesAtLoad = 0;

    if (countUpdates)
        app.installEventFilter(&updates);
    site.startClock();
    clock.start();
    for (int i = 0; i < engines; ++i) {
        std::unique_ptr<QWebEngineView> view(openView(topLevel ? nullptr : &window));
        if (!topLevel)
            view->move((i % 10) * Step + Step, (i % 10) * Step + Step);
        QObject::connect(view.get(), &QWebEngineView::titleChanged, view.get(), &QWidget::setWindowTitle);
        QObject::connect(view.get(), &QWebEngineView::loadFinished, view.get(), [&, i](bool ok) {
            if (done[i])
                return;
            done[i] = true;
            failed += ok ? 0 : 1;
            if (--remaining == 0) {
                loadMs = double(clock.nsecsElapsed()) / 1e6;
                updatesAtLoad = updates.count;
                if (countUpdates)
                    updates.report();
            }
        });
        view->resize(size);
        view->load(QUrl(site.engineAddress(i + 1) + QStringLiteral("?q=") + encoded));
        view->show();
        views.push_back(std::move(view));
    }
    const double windowsMs = double(clock.nsecsElapsed()) / 1e6;

    if (!BenchWait::until([&] { return remaining == 0; }, timeoutMs))
        return fail("not every view finished loading");
    if (failed > 0)
        return fail("a view failed to load");
    BenchWait::until([&] { return site.targets().size() >= engines; }, 2000);
    if (site.targets().size() != engines)
        return fail("the site did not serve every page");

    std::printf("windows_ms %.1f served_ms %.1f load_ms %.1f", windowsMs, site.lastServedMs(), loadMs);
    if (countUpdates)
        std::printf(" updates %d", updatesAtLoad);
    std::printf("\n");
    std::fflush(stdout);
    // Views and their pages go before the profile they use.
    views.clear();
    delete warmView;
    return 0;
}
