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
// store alone costs of the load. Then, taking turns N times, it exports the
// 10,000 bookmarks of 100 categories as shortcut files, against a bare loop
// that writes the same files (same names, same bytes), each under a temporary
// name renamed into place, with one sync of the file system at the end. The
// last line is
//
//   load_ms A B ratio R export_ratio E
//
// A and B: the load medians of 100 categories and of one category; R: the
// worse of the two ratios load/floor; E: the export median over the bare loop's.
// Exit status 1 when a load misses bookmarks or the two exports differ.

#include "bookmarks/BookmarkModel.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/BookmarkStore.h"
#include "bookmarks/ExportNames.h"
#include "bookmarks/FavoritesExport.h"
#include "bookmarks/FavoritesImport.h"
#include "bookmarks/NetscapeBookmarks.h"
#include "core/FileReplace.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "document/Documents.h"
#include "document/AppContext.h"
#include "platform/DialogPrompts.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

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
    void entryAdded(WindowPlace, const MakeEntry &) override {}
    void selectionCommandsChanged() override {}
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
    const AppContext context{.programFolder = QCoreApplication::applicationDirPath(),
                             .profileFolder = dir.path(),
                             .settings = &settings,
                             .prompts = &prompts,
                             .documents = &documents};
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

// 10,000 bookmarks in 100 categories, as an export is handed them.
QList<ExchangeCategory> exportedCategories(const QString &folder)
{
    makeProfile(folder, {"", 100, 100});
    QList<ExchangeCategory> categories;
    for (const BookmarkCategory &c : BookmarkStore(folder).categories()) {
        ExchangeCategory out{c.name, {}};
        for (const BookmarkEntry &e : c.entries())
            out.bookmarks.append({e.name, e.address, 0});
        categories.append(out);
    }
    return categories;
}

// Favourites and HTML files: 1,000 shortcuts into one category, and 10,000
// bookmarks in 100 categories out as one HTML file.
struct Exchange
{
    double importMs, htmlMs;
};

std::optional<Exchange> measureExchange(const QList<ExchangeCategory> &categories, int runs)
{
    QList<double> imports, html;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir dir;
        const QString favourites = dir.filePath(QStringLiteral("favourites"));
        QDir().mkpath(favourites);
        ExchangeCategory chosen{QStringLiteral("收藏"), {}};
        for (int n = 1; n <= 1000; ++n)
            chosen.bookmarks.append({QStringLiteral("收藏 %1").arg(n), QStringLiteral("https://www.example.com/page-%1.html").arg(n), 0});
        FavoritesExport::write(favourites, {chosen});
        QStringList files;
        for (const ExchangeBookmark &b : std::as_const(chosen.bookmarks))
            files.append(favourites + QStringLiteral("/收藏/") + b.name + QStringLiteral(".url"));
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
        bool written = false;
        html.append(timeMs([&] { written = NetscapeBookmarks::write(categories, dir.filePath(QStringLiteral("b.html"))); }));
        if (added != 1000 || !written)
            return std::nullopt;
    }
    return Exchange{median(imports), median(html)};
}

struct ExportFile
{
    QString path; // under the export's folder
    QByteArray bytes;
};

struct ExportTree
{
    QStringList folders;
    QList<ExportFile> files;
};

// What an export of categories wrote under root, in the order it wrote it.
ExportTree exportedTree(const QString &root, const QList<ExchangeCategory> &categories)
{
    ExportTree tree;
    ExportNames folderNames;
    for (const ExchangeCategory &c : categories) {
        tree.folders.append(folderNames.unique(c.name));
        ExportNames names(QStringLiteral(".url"));
        for (const ExchangeBookmark &b : c.bookmarks) {
            const QString path = tree.folders.last() + u'/' + names.unique(b.name);
            QFile file(root + u'/' + path);
            tree.files.append({path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()});
        }
    }
    return tree;
}

// The least an export of these files that never leaves one cut short has to do:
// the folders made, each file written under a temporary name and renamed into
// place, then one sync. False when something failed.
bool bareLoop(const QString &root, const ExportTree &tree)
{
    for (const QString &folder : tree.folders) {
        if (!QDir(root).mkdir(folder))
            return false;
    }
    int n = 0;
    for (const ExportFile &f : tree.files) {
        const QString path = root + u'/' + f.path;
        const QString temporary = QFileInfo(path).path() + QStringLiteral("/.bare-%1.tmp").arg(++n);
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)
            || file.write(f.bytes) != f.bytes.size())
            return false;
        file.close();
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0)
            return false;
    }
    return syncFileSystems({root});
}

// Every file of tree under root, and nothing else.
bool holds(const QString &root, const ExportTree &tree)
{
    for (const ExportFile &f : tree.files) {
        QFile file(root + u'/' + f.path);
        if (f.bytes.isEmpty() || !file.open(QIODevice::ReadOnly) || file.readAll() != f.bytes)
            return false;
    }
    int entries = 0;
    for (QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++entries;
    return entries == tree.folders.size() + tree.files.size();
}

struct ExportTimes
{
    double exportMs, bareMs;
    double ratio() const { return exportMs / bareMs; }
};

// Taking turns which goes first, each in a folder made just before it after a
// sync, so that neither pays for what the other left unwritten. Nothing is
// removed until the end: for minutes after many files are deleted, ext4 without
// a journal looks past their inodes on every file it creates near them. The first export and
// bare loop are not counted: they give the bare loop its files, and the first
// creations the slow start the clean-up of an earlier run may leave.
std::optional<ExportTimes> measureExport(const QList<ExchangeCategory> &categories, int runs)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first"));
    QDir().mkpath(first);
    FavoritesExport::write(first, categories);
    const ExportTree tree = exportedTree(first, categories);
    const QString warmUp = dir.filePath(QStringLiteral("warm-up"));
    QDir().mkpath(warmUp);
    if (!bareLoop(warmUp, tree))
        return std::nullopt;
    QList<double> exports, bares;
    for (int i = 0; i < runs; ++i) {
        const QString exported = dir.filePath(QStringLiteral("export %1").arg(i));
        const QString bare = dir.filePath(QStringLiteral("bare %1").arg(i));
        ExportCounts counts;
        bool done = false;
        const auto runExport = [&] {
            QDir().mkpath(exported);
            syncFileSystems({dir.path()});
            exports.append(timeMs([&] { counts = FavoritesExport::write(exported, categories); }));
        };
        const auto runBare = [&] {
            QDir().mkpath(bare);
            syncFileSystems({dir.path()});
            bares.append(timeMs([&] { done = bareLoop(bare, tree); }));
        };
        if (i % 2) {
            runBare();
            runExport();
        } else {
            runExport();
            runBare();
        }
        if (counts.written != tree.files.size() || !done || !holds(exported, tree) || !holds(bare, tree))
            return std::nullopt;
    }
    return ExportTimes{median(exports), median(bares)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 && runsAt + 1 < args.size() ? qMax(1, args.at(runsAt + 1).toInt()) : 5;

    // First, before anything here deletes files (see measureExport).
    QTemporaryDir profile;
    const QList<ExchangeCategory> categories = exportedCategories(profile.path());
    const auto shortcuts = measureExport(categories, runs);
    if (!shortcuts) {
        std::fprintf(stderr, "bench_bookmarks: the export and the bare loop did not write the same files\n");
        return 1;
    }

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
    const auto exchange = measureExchange(categories, 3);
    if (!exchange) {
        std::fprintf(stderr, "bench_bookmarks: an import or export did not take every bookmark\n");
        return 1;
    }
    std::printf("import 1000 shortcuts into one category %8.1f ms\n", exchange->importMs);
    std::printf("export 10000 bookmarks as shortcuts     %8.1f ms  bare loop %8.1f ms  ratio %.2f\n",
                shortcuts->exportMs, shortcuts->bareMs, shortcuts->ratio());
    std::printf("export 10000 bookmarks as an HTML file  %8.1f ms\n", exchange->htmlMs);
    std::printf("load_ms %.2f %.2f ratio %.2f export_ratio %.2f\n", results.at(0).loadMs, results.at(1).loadMs,
                std::max(results.at(0).ratio(), results.at(1).ratio()), shortcuts->ratio());
    return 0;
}
