// bench_bookmarks: how long loading the bookmark tree takes, against the least
// any loader has to do.
//
//   bench_bookmarks [--runs N]
//
// Makes, in a temporary profile folder, 10,000 bookmarks in 100 categories and
// then 10,000 in one category. For each shape it times, taking turns:
//
//   load:  BookmarkStore::categories() and a QTreeWidget rebuilt from it as the
//          bookmark panel does (clear, items made off the tree, one insertion);
//   floor: every bookmark file read, decoded and parsed once (IniDocument::fromText).
//
// and prints the medians of N runs (default 5) and their ratio, then what the
// parts cost: the store alone, the same load with items filled through
// setText/setIcon/setData, and clearing the tree. The last line is
//
//   load_ms A B ratio R
//
// A and B: the load medians of 100 categories and of one category; R: the
// worse of the two ratios load/floor. Exit status 1 when a load misses bookmarks.

#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "bookmarks/BookmarkStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTreeWidget>

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
    QList<double> load, floor, store, plainLoad, clear;
};

struct Result
{
    double loadMs = 0;
    double floorMs = 0;
    double storeMs = 0;
    double plainLoadMs = 0;
    double clearMs = 0;
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
    BookmarkStore store(folder);
    QStringList files{store.indexFile()};
    for (int c = 1; c <= shape.categories; ++c) {
        files.append(folder + QStringLiteral("/c%1.bookmark.txt").arg(c));
        store.createCategory(files.last(), QStringLiteral("类别 %1").arg(c));
        store.appendBookmarks(files.last(), bookmarks(c, shape.perCategory));
    }
    return files;
}

// A bookmark node that answers for its text, picture, address and key itself:
// setText, setIcon and two setData calls on each of 10,000 items cost twice
// as much as parsing the files they come from.
class BookmarkItem : public QTreeWidgetItem
{
public:
    BookmarkItem(BookmarkEntry &&entry, const QString &categoryPath, const QIcon &icon)
        : m_entry(std::move(entry)), m_categoryPath(categoryPath), m_icon(icon)
    {
    }

    QVariant data(int column, int role) const override
    {
        if (column != 0)
            return QTreeWidgetItem::data(column, role);
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_entry.name;
        case Qt::DecorationRole:
            return m_icon;
        case Qt::UserRole:
            return m_entry.address;
        case KeyRole:
            return m_categoryPath + QStringLiteral(", ") + QString::number(m_entry.number);
        default:
            return QTreeWidgetItem::data(column, role);
        }
    }

private:
    BookmarkEntry m_entry;
    QString m_categoryPath;
    QIcon m_icon;
};

QTreeWidgetItem *categoryItem(BookmarkCategory &category, const QIcon &folder, const QIcon &bookmark)
{
    auto *top = new QTreeWidgetItem(QStringList{category.name});
    top->setIcon(0, folder);
    top->setData(0, Qt::UserRole, category.path);
    QList<QTreeWidgetItem *> children;
    children.reserve(category.entries.size());
    for (BookmarkEntry &entry : category.entries)
        children.append(new BookmarkItem(std::move(entry), category.path, bookmark));
    top->addChildren(children);
    return top;
}

// The same node filled the plain way, for comparison.
QTreeWidgetItem *plainItem(const BookmarkEntry &entry, const QString &categoryPath, const QIcon &icon)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, entry.name);
    item->setIcon(0, icon);
    item->setData(0, Qt::UserRole, entry.address);
    item->setData(0, KeyRole, categoryPath + QStringLiteral(", ") + QString::number(entry.number));
    return item;
}

QTreeWidgetItem *plainCategoryItem(const BookmarkCategory &category, const QIcon &folder, const QIcon &bookmark)
{
    auto *top = new QTreeWidgetItem(QStringList{category.name});
    top->setIcon(0, folder);
    top->setData(0, Qt::UserRole, category.path);
    QList<QTreeWidgetItem *> children;
    children.reserve(category.entries.size());
    for (const BookmarkEntry &entry : category.entries)
        children.append(plainItem(entry, category.path, bookmark));
    top->addChildren(children);
    return top;
}

// Fills the empty tree; returns how many bookmarks it shows.
int load(const BookmarkStore &store, QTreeWidget &tree, const QIcon &folder, const QIcon &bookmark, bool plain)
{
    QList<QTreeWidgetItem *> tops;
    int shown = 0;
    for (BookmarkCategory &category : store.categories()) {
        tops.append(plain ? plainCategoryItem(category, folder, bookmark) : categoryItem(category, folder, bookmark));
        shown += int(category.entries.size());
    }
    tree.addTopLevelItems(tops);
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
        QStringDecoder decoder("GBK");
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

QIcon plainIcon(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// One round of each, taking turns; false when a load missed bookmarks.
bool measureRound(const Shape &shape, const BookmarkStore &store, const QStringList &files, QTreeWidget &tree,
                  Timings &times)
{
    const QIcon folder = plainIcon(Qt::darkYellow);
    const QIcon bookmark = plainIcon(Qt::darkBlue);
    const int expected = shape.categories * shape.perCategory;
    int shown = 0;
    times.clear.append(timeMs([&] { tree.clear(); }));
    times.load.append(timeMs([&] { shown = load(store, tree, folder, bookmark, false); }));
    const bool complete = shown == expected && tree.topLevelItemCount() == shape.categories;
    times.floor.append(timeMs([&] { parseAll(files); }));
    times.store.append(timeMs([&] { store.categories(); }));
    tree.clear();
    times.plainLoad.append(timeMs([&] { shown = load(store, tree, folder, bookmark, true); }));
    return complete && shown == expected;
}

std::optional<Result> measure(const Shape &shape, int runs, QTreeWidget &tree)
{
    QTemporaryDir dir;
    const QStringList files = makeProfile(dir.path(), shape);
    const BookmarkStore store(dir.path());
    Timings times;
    // One round more than counted: the first one warms the page cache and the codec.
    for (int i = 0; i <= runs; ++i) {
        if (i == 1)
            times = Timings();
        if (!measureRound(shape, store, files, tree, times))
            return std::nullopt;
    }
    return Result{median(times.load), median(times.floor), median(times.store), median(times.plainLoad),
                  median(times.clear)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 && runsAt + 1 < args.size() ? qMax(1, args.at(runsAt + 1).toInt()) : 5;

    QTreeWidget tree;
    tree.setHeaderHidden(true);
    tree.resize(240, 600);
    tree.show();
    const Shape shapes[] = {{"100 categories x 100", 100, 100}, {"1 category x 10000", 1, 10000}};
    QList<Result> results;
    for (const Shape &shape : shapes) {
        const auto result = measure(shape, runs, tree);
        if (!result) {
            std::fprintf(stderr, "bench_bookmarks: %s: the tree does not show every bookmark\n", shape.name);
            return 1;
        }
        std::printf("%-22s load %6.2f ms  floor %6.2f ms  ratio %.2f\n", shape.name, result->loadMs,
                    result->floorMs, result->ratio());
        std::printf("%-22s store alone %6.2f ms, with setText/setIcon/setData items %6.2f ms, clearing %6.2f ms\n",
                    "", result->storeMs, result->plainLoadMs, result->clearMs);
        results.append(*result);
    }
    std::printf("load_ms %.2f %.2f ratio %.2f\n", results.at(0).loadMs, results.at(1).loadMs,
                std::max(results.at(0).ratio(), results.at(1).ratio()));
    return 0;
}
