// bench_bookmarks: how long loading the bookmark tree takes, against the least
// any loader has to do.
//
//   bench_bookmarks [--runs N]
//
// Makes, in a temporary profile folder, 10,000 bookmarks in 100 categories and
// then 10,000 in one category. For each shape it times, taking turns:
//
//   load:  the bookmark page's LoadBookmark, until its tree has laid out and
//          painted what it shows;
//   floor: every bookmark file read, decoded and parsed once (IniDocument::fromText).
//
// and prints the medians of N runs (default 5) and their ratio, and what the
// store alone costs of the load. The last line is
//
//   load_ms A B ratio R
//
// A and B: the load medians of 100 categories and of one category; R: the
// worse of the two ratios load/floor. Exit status 1 when a load misses bookmarks.

#include "bookmarks/BookmarkModel.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/BookmarkStore.h"
#include "bookmarks/FavoritesExport.h"
#include "bookmarks/FavoritesImport.h"
#include "bookmarks/InternetShortcut.h"
#include "bookmarks/NetscapeBookmarks.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "document/Documents.h"
#include "document/AppContext.h"
#include "platform/DialogPrompts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int KeyRole = Qt::UserRole + 1;

struct Shape
{
    const char *name;
    int categories;
    int perCategory;
};

struct Timings
{
    QList<double> load, floor, store;
};

struct Result
{
    double loadMs = 0;
    double floorMs = 0;
    double storeMs = 0;
    double ratio() const { return loadMs / floorMs; }
};

// Names and addresses about as long as real ones, Chinese and ASCII mixed.
QList<std::pair<QString, QString>> bookmarks(int category, int count)
{
    QList<std::pair<QString, QString>> list;
    for (int i = 1; i <= count; ++i)
        list.append({QStringLiteral("书签 %1-%2 新闻资讯").arg(category).arg(i),
                     QStringLiteral("https://www.example%1.com/path/to/page-%2.html?from=bench").arg(category).arg(i)});
    return list;
}

// Returns every bookmark file, the index first.
QStringList makeProfile(const QString &folder, const Shape &shape)
{
    QDir().mkpath(folder);
    BookmarkStore store(folder);
    QStringList files{store.indexFile()};
    for (int c = 1; c <= shape.categories; ++c) {
        files.append(folder + QStringLiteral("/c%1.bookmark.txt").arg(c));
        store.createCategory(files.last(), QStringLiteral("类别 %1").arg(c));
        store.appendBookmarks(files.last(), bookmarks(c, shape.perCategory));
    }
    return files;
}

// A window to hold the page; no document window is open.
class NoDocuments : public Documents
{
public:
    frmDocument *LoadNewDoc() override { return nullptr; }
    frmDocument *activeDocument() const override { return nullptr; }
    void navigateActive(const QString &) override {}
    frmDocument *navigateNew(const QString &) override { return nullptr; }
    void cascade() override {}
};

// LoadBookmark as the panel runs it, until the tree has laid out and painted what it shows.
int load(BookmarkPage &page)
{
    page.LoadBookmark();
    QCoreApplication::sendPostedEvents();
    page.repaint();
    int shown = 0;
    const BookmarkModel *model = page.model();
    for (int i = 0; i < model->rowCount(); ++i)
        shown += model->rowCount(model->index(i, 0));
    return shown;
}

// Returns the number of lines parsed, so that nothing is optimised away.
qsizetype parseAll(const QStringList &files)
{
    qsizetype lines = 0;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QStringDecoder decoder("GB18030");
        const QString text = decoder.decode(file.readAll());
        lines += IniDocument::fromText(text).lines().size();
    }
    return lines;
}

double timeMs(const std::function<void()> &run)
{
    QElapsedTimer clock;
    clock.start();
    run();
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

// One round of each, taking turns; false when a load missed bookmarks.
bool measureRound(const Shape &shape, const QStringList &files, BookmarkPage &page, Timings &times)
{
    int shown = 0;
    times.load.append(timeMs([&] { shown = load(page); }));
    times.floor.append(timeMs([&] { parseAll(files); }));
    times.store.append(timeMs([&] { page.store().categories(); }));
    return shown == shape.categories * shape.perCategory && page.model()->rowCount() == shape.categories;
}

std::optional<Result> measure(const Shape &shape, int runs, QWidget &window)
{
    QTemporaryDir dir;
    const QStringList files = makeProfile(dir.path(), shape);
    NoDocuments documents;
    DialogPrompts prompts;
    SettingsStore store(dir.filePath(QStringLiteral("settings")));
    RunningSettings settings(store);
    const AppContext context{&documents, &settings, &prompts, nullptr, nullptr, nullptr,
                                   QCoreApplication::applicationDirPath(), dir.path()};
    auto *page = new BookmarkPage(context, &window);
    page->resize(window.size());
    page->show();
    Timings times;
    // One round more than counted: the first one warms the page cache and the codec.
    for (int i = 0; i <= runs; ++i) {
        if (i == 1)
            times = Timings();
        if (!measureRound(shape, files, *page, times))
            return std::nullopt;
    }
    delete page;
    return Result{median(times.load), median(times.floor), median(times.store)};
}

// Favourites and HTML files: 1,000 shortcuts into one category, and 10,000
// bookmarks in 100 categories out as shortcuts and as one HTML file.
struct Exchange
{
    double importMs, shortcutsMs, htmlMs;
};

std::optional<Exchange> measureExchange(int runs)
{
    QList<double> imports, shortcuts, html;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir dir;
        const QString favourites = dir.filePath(QStringLiteral("favourites"));
        QDir().mkpath(favourites);
        QStringList files;
        for (int n = 1; n <= 1000; ++n) {
            files.append(favourites + QStringLiteral("/收藏 %1.url").arg(n));
            InternetShortcut::write(files.last(), QStringLiteral("https://www.example.com/page-%1.html").arg(n));
        }
        BookmarkStore store(dir.filePath(QStringLiteral("profile")));
        QDir().mkpath(store.folder());
        const QString target = store.folder() + QStringLiteral("/import.bookmark.txt");
        store.createCategory(target, QStringLiteral("导入"));
        int added = 0;
        imports.append(timeMs([&] {
            QList<std::pair<QString, QString>> bookmarks;
            for (const ExchangeBookmark &b : FavoritesImport::read(files))
                bookmarks.append({b.name, b.address});
            added = store.appendBookmarks(target, bookmarks).added;
        }));
        const QStringList profileFiles = makeProfile(dir.filePath(QStringLiteral("big")), {"", 100, 100});
        QList<ExchangeCategory> categories;
        for (const BookmarkCategory &c : BookmarkStore(dir.filePath(QStringLiteral("big"))).categories()) {
            ExchangeCategory out{c.name, {}};
            for (const BookmarkEntry &e : c.entries())
                out.bookmarks.append({e.name, e.address, 0});
            categories.append(out);
        }
        ExportCounts counts;
        const QString exported = dir.filePath(QStringLiteral("exported"));
        QDir().mkpath(exported);
        shortcuts.append(timeMs([&] { counts = FavoritesExport::write(exported, categories); }));
        bool written = false;
        html.append(timeMs([&] { written = NetscapeBookmarks::write(categories, dir.filePath(QStringLiteral("b.html"))); }));
        if (added != 1000 || counts.written != 10000 || !written)
            return std::nullopt;
    }
    return Exchange{median(imports), median(shortcuts), median(html)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 && runsAt + 1 < args.size() ? qMax(1, args.at(runsAt + 1).toInt()) : 5;

    QWidget window;
    window.resize(240, 600);
    window.show();
    const Shape shapes[] = {{"100 categories x 100", 100, 100}, {"1 category x 10000", 1, 10000}};
    QList<Result> results;
    for (const Shape &shape : shapes) {
        const auto result = measure(shape, runs, window);
        if (!result) {
            std::fprintf(stderr, "bench_bookmarks: %s: the tree does not show every bookmark\n", shape.name);
            return 1;
        }
        std::printf("%-22s load %6.2f ms  floor %6.2f ms  ratio %.2f\n", shape.name, result->loadMs,
                    result->floorMs, result->ratio());
        std::printf("%-22s of which the store alone %6.2f ms\n", "", result->storeMs);
        results.append(*result);
    }
    const auto exchange = measureExchange(3);
    if (!exchange) {
        std::fprintf(stderr, "bench_bookmarks: an import or export did not take every bookmark\n");
        return 1;
    }
    std::printf("import 1000 shortcuts into one category %8.1f ms\n", exchange->importMs);
    std::printf("export 10000 bookmarks as shortcuts     %8.1f ms\n", exchange->shortcutsMs);
    std::printf("export 10000 bookmarks as an HTML file  %8.1f ms\n", exchange->htmlMs);
    std::printf("load_ms %.2f %.2f ratio %.2f\n", results.at(0).loadMs, results.at(1).loadMs,
                std::max(results.at(0).ratio(), results.at(1).ratio()));
    return 0;
}
