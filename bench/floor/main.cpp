// bench_floor: the least a Qt WebEngine program does to show pages, so that
// start-up and load times of the browser have something to be compared with.
//
//   bench_floor [--report-loads] [--quit-when-loaded] [--with-gl] [--memory-profile] URL...
//
// One top-level view per address; each window takes its page's title.
// Like Vantorel, it draws with the software scene graph and loads no OpenGL
// when the machine has no GPU (RenderingChoice); --with-gl skips that choice,
// as a plain Qt program would. Its views are on a named profile that keeps cookies
// and a disk cache, as Vantorel's is: creating that profile's files and databases
// doubles what the engine's worker threads spend at start-up.
// --memory-profile puts them on the engine's default profile, which keeps nothing.
// --report-loads prints "loaded <index> <ms>" (index from 0, in argument
// order) on each view's first loadFinished and "all-loaded <ms>" after the
// last, ms counted from the start of the process.

#include "core/StepTimes.h"
#include "platform/RenderingChoice.h"

#include <QApplication>
#include <QList>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {

qint64 nowNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Milliseconds since the process began. A launcher that knows the exact
// moment (bench_xpoll --exec) passes it; otherwise the kernel's start time
// is used, which is only 10 ms fine but includes loading the libraries.
class ProcessClock
{
public:
    ProcessClock()
    {
        if (const char *env = std::getenv("BENCH_START_NS")) {
            m_clock = CLOCK_MONOTONIC;
            m_start = std::strtoll(env, nullptr, 10);
            return;
        }
        m_clock = CLOCK_BOOTTIME;
        m_start = nowNs(m_clock);
        std::ifstream in("/proc/self/stat");
        std::string line;
        if (!std::getline(in, line))
            return;
        // The command name may hold blanks; fields are counted after its ')'.
        const auto close = line.rfind(')');
        if (close == std::string::npos)
            return;
        std::istringstream rest(line.substr(close + 2));
        std::string field;
        for (int i = 3; i <= 22 && rest >> field; ++i) {
            if (i == 22) {
                const long tick = sysconf(_SC_CLK_TCK);
                m_start = std::stoll(field) * (1000000000LL / tick);
            }
        }
    }

    double elapsedMs() const { return double(nowNs(m_clock) - m_start) / 1e6; }

private:
    clockid_t m_clock = CLOCK_MONOTONIC;
    qint64 m_start = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    StepTimes::mark("main");
    const ProcessClock clock;
    // Before QApplication, which reads the choice.
    if (!std::any_of(argv + 1, argv + argc, [](const char *arg) { return std::strcmp(arg, "--with-gl") == 0; }))
        RenderingChoice::chooseBackend();
    QApplication app(argc, argv);
    StepTimes::mark("application");
    QApplication::setApplicationName(QStringLiteral("bench_floor"));

    bool reportLoads = false;
    bool quitWhenLoaded = false;
    bool diskProfile = true;
    QList<QUrl> urls;
    const QStringList args = QApplication::arguments().mid(1);
    for (const QString &arg : args) {
        if (arg == QLatin1String("--report-loads"))
            reportLoads = true;
        else if (arg == QLatin1String("--quit-when-loaded"))
            quitWhenLoaded = true;
        else if (arg == QLatin1String("--with-gl"))
            continue;
        else if (arg == QLatin1String("--memory-profile"))
            diskProfile = false;
        else
            urls.append(QUrl::fromUserInput(arg));
    }
    if (urls.isEmpty()) {
        std::fprintf(stderr, "usage: bench_floor [--report-loads] [--quit-when-loaded] [--with-gl] [--memory-profile] URL...\n");
        return 1;
    }

    std::unique_ptr<QWebEngineProfile> profile;
    if (diskProfile) {
        profile = std::make_unique<QWebEngineProfile>(QStringLiteral("bench_floor"));
        profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    }
    QList<QWebEngineView *> views;
    QList<bool> done(urls.size(), false);
    qsizetype remaining = urls.size();
    for (qsizetype i = 0; i < urls.size(); ++i) {
        auto *view = new QWebEngineView;
        if (profile)
            view->setPage(new QWebEnginePage(profile.get(), view));
        views.append(view);
        QObject::connect(view, &QWebEngineView::titleChanged, view, [view](const QString &title) {
            view->setWindowTitle(title);
            StepTimes::mark("caption");
        });
        QObject::connect(view, &QWebEngineView::loadFinished, view, [&, i](bool ok) {
            if (done[i])
                return;
            done[i] = true;
            --remaining;
            const double ms = clock.elapsedMs();
            if (!ok)
                std::fprintf(stderr, "bench_floor: view %lld failed to load\n", qlonglong(i));
            if (reportLoads)
                std::printf("loaded %lld %.1f\n", qlonglong(i), ms);
            if (remaining == 0) {
                if (reportLoads)
                    std::printf("all-loaded %.1f\n", ms);
                if (quitWhenLoaded)
                    QApplication::quit();
            }
            std::fflush(stdout);
        });
        view->resize(1024, 768);
        view->load(urls[i]);
        view->show();
    }
    StepTimes::mark("shown");

    const int rc = QApplication::exec();
    qDeleteAll(views);
    return rc;
}
