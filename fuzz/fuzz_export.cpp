// An export of categories with any names into a favourites folder: every bookmark gets
// a file of its own, all of them inside the chosen folder and nothing anywhere else, and
// each shortcut reads back its address.
#include "FuzzSupport.h"
#include "bookmarks/ExportNames.h"
#include "bookmarks/FavoritesExport.h"
#include "bookmarks/InternetShortcut.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <unistd.h>

namespace {

bool ascii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Lines of the input: "#name" starts a category, "name\taddress" is a bookmark of it.
// A few of each are enough to meet every naming rule, and keep each input quick.
QList<ExchangeCategory> categoriesOf(const QString &text)
{
    QList<ExchangeCategory> categories;
    qsizetype bookmarks = 0;
    for (const QString &line : text.split(u'\n')) {
        if ((line.startsWith(u'#') && categories.size() < 3) || categories.isEmpty())
            categories.append({line.mid(1), {}});
        const qsizetype tab = line.indexOf(u'\t');
        if (tab >= 0 && !line.startsWith(u'#') && bookmarks++ < 6)
            categories.last().bookmarks.append({line.left(tab), line.mid(tab + 1), 0});
    }
    return categories;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<ExchangeCategory> categories = categoriesOf(Fuzz::text(Fuzz::bytes(data, size)));
    // Made once: the chosen folder is emptied after each input, and the file beside it and
    // the working folder, whose every new entry shows, are there all run long.
    const QString scratch = Fuzz::scratch();
    const QString chosen = scratch + QStringLiteral("/收藏夹");
    static const bool prepared = [&] {
        Fuzz::writeFile(scratch + QStringLiteral("/beside.url"), QByteArrayLiteral("[InternetShortcut]\r\nURL=http://x/\r\n"));
        return QDir(scratch).mkpath(QStringLiteral("收藏夹")) && QDir(scratch).mkpath(QStringLiteral("cwd"));
    }();
    Fuzz::require(prepared, "the scratch folders are made");
    static const QString working = QDir::currentPath(); // libFuzzer reads its corpus from there
    QDir::setCurrent(scratch + QStringLiteral("/cwd"));

    const ExportCounts counts = FavoritesExport::write(chosen, categories);
    QDir::setCurrent(working);
    qsizetype bookmarks = 0;
    for (const ExchangeCategory &category : categories)
        bookmarks += category.bookmarks.size();
    Fuzz::require(counts.failed == 0 && counts.written == bookmarks, "every bookmark is written");

    // One walk of the whole scratch folder sees both sides of the chosen one.
    const QString inside = QStringLiteral("收藏夹/");
    qsizetype files = 0;
    const QList<Fuzz::Entry> entries = Fuzz::everythingIn(scratch);
    for (const Fuzz::Entry &entry : entries) {
        Fuzz::require(entry.path == QStringLiteral("beside.url") || entry.path == QStringLiteral("cwd")
                          || entry.path == QStringLiteral("收藏夹") || entry.path.startsWith(inside),
                      "nothing is written outside the chosen folder");
        if (!entry.path.startsWith(inside))
            continue;
        const QString path = entry.path.mid(inside.size());
        Fuzz::require(entry.kind != Fuzz::Entry::Link && path.count(u'/') <= 1, "only folders of categories and their files");
        if (entry.kind == Fuzz::Entry::File) {
            Fuzz::require(path.endsWith(QStringLiteral(".url")) && !path.section(u'/', -1).startsWith(u'.'),
                          "only shortcuts are left, none hidden");
            ++files;
        }
    }
    Fuzz::require(files == bookmarks, "one shortcut for each bookmark");
    Fuzz::require(QFile(scratch + QStringLiteral("/beside.url")).size() == 35, "a file beside the folder is untouched");

    // The names an export gives, again: each file holds its bookmark's address.
    ExportNames folders;
    for (const ExchangeCategory &category : categories) {
        const QString folder = chosen + u'/' + folders.unique(category.name);
        ExportNames names(QStringLiteral(".url"));
        for (const ExchangeBookmark &bookmark : category.bookmarks) {
            const auto address = InternetShortcut::read(folder + u'/' + names.unique(bookmark.name));
            const QString expected = QString(bookmark.address).replace(u'\r', u' ');
            Fuzz::require(address ? *address == expected || ascii(*address) : expected.isEmpty(),
                          "each shortcut holds its bookmark's address");
        }
    }
    // Sorted, a folder comes before what it holds: backwards, each is empty when removed.
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        if (!entry->path.startsWith(inside))
            continue;
        const QByteArray path = QFile::encodeName(scratch + u'/' + entry->path);
        Fuzz::require((entry->kind == Fuzz::Entry::Folder ? ::rmdir(path.constData()) : ::unlink(path.constData())) == 0,
                      "what an export wrote can be removed");
    }
    return 0;
}
