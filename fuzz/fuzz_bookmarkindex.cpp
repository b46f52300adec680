// The bookmark index and two category files of any bytes: the files it lists lie in
// the profile folder, each once; every way of reading a category agrees; and a
// bookmark added is read back after the others, which stay as they were.
#include "FuzzSupport.h"
#include "bookmarks/BookmarkIndex.h"
#include "bookmarks/BookmarkStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

bool same(const BookmarkEntry &a, const BookmarkEntry &b)
{
    return a.number == b.number && a.name == b.name && a.address == b.address;
}

bool same(const QList<BookmarkEntry> &a, const QList<BookmarkEntry> &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto &x, const auto &y) { return same(x, y); });
}

void checkIndex(const QString &folder)
{
    const BookmarkIndex index(folder);
    const QStringList listed = index.listedFiles();
    Fuzz::require(QSet<QString>(listed.begin(), listed.end()).size() == listed.size(), "the index lists a file once");
    for (const QString &path : listed)
        Fuzz::require(path.startsWith(folder + u'/') && QFileInfo(path).isFile(), "listed files are files in the folder");
}

void checkCategories(const BookmarkStore &store, const QList<BookmarkCategory> &shown)
{
    QSet<QString> names;
    for (const BookmarkCategory &category : shown) {
        Fuzz::require(!category.name.isEmpty() && !names.contains(category.name), "a category has a name of its own");
        names.insert(category.name);
        Fuzz::require(store.GetBookmarkFile(category.index) == category.name + u',' + category.path,
                      "a look-up of the index finds the category shown");
        Fuzz::require(store.highWater(category.path) == category.number, "a look-up reads the number the load read");
        int last = 0;
        for (qsizetype i = 0; i < category.size(); ++i) {
            const BookmarkEntry entry = category.entry(i);
            Fuzz::require(entry.number > last && entry.number <= category.number, "entries in order, none above number");
            Fuzz::require(!entry.name.contains(u','), "an entry's name ends at its first comma");
            last = entry.number;
            // A look-up reads the whole file: the first entry and the last are enough.
            if (i != 0 && i != category.size() - 1)
                continue;
            const auto looked = store.entry(category.path, entry.number);
            Fuzz::require(looked && same(*looked, entry), "a look-up of an entry reads what the load read");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList parts = Fuzz::parts(Fuzz::bytes(data, size), 3);
    // The same three files each time: the folder need not be emptied.
    const QString folder = Fuzz::scratch();
    QDir(folder).mkdir(QStringLiteral("bookmarks"));
    const QStringList files{QStringLiteral("bookmark.ini"), QStringLiteral("bookmarks/a.bookmark.txt"),
                            QStringLiteral("bookmarks/b.bookmark.txt")};
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (i < parts.size())
            Fuzz::writeFile(folder + u'/' + files.at(i), parts.at(i));
        else
            QFile::remove(folder + u'/' + files.at(i));
    }

    checkIndex(folder);
    BookmarkStore store(folder);
    const QList<BookmarkCategory> before = store.categories();
    checkCategories(store, before);
    if (before.isEmpty())
        return 0;

    // Only a file of this scratch folder, and not the index, is written to.
    const BookmarkCategory &target = before.first();
    const QString real = QFileInfo(target.path).canonicalFilePath();
    if (!real.startsWith(QFileInfo(folder).canonicalFilePath() + u'/') || real.endsWith(QStringLiteral("/bookmark.ini")))
        return 0;
    const QString name = QStringLiteral("名,称");
    const QString address = QStringLiteral("http://例子.cn/a?b=1");
    const int number = store.addBookmark(target.path, name, address);
    // A file that cannot be written (its listed name holds a NUL) is said so, and nothing changes.
    Fuzz::require(number == target.number + 1 || (number == 0 && !store.lastError().isEmpty()),
                  "an added bookmark takes the next number, or the failure is said");
    const QList<BookmarkCategory> after = store.categories();
    // Each look-up reads a file again: after the write, the category written is enough.
    checkCategories(store, after.mid(0, 1));
    Fuzz::require(after.size() == before.size(), "an added bookmark leaves the categories as they were");
    for (qsizetype i = 0; i < after.size(); ++i) {
        QList<BookmarkEntry> expected = before.at(i).entries();
        if (i == 0 && number)
            expected.append({number, QStringLiteral("名，称"), address});
        Fuzz::require(after.at(i).name == before.at(i).name && same(after.at(i).entries(), expected),
                      "a write and a read give the entries back, the new one last");
    }
    return 0;
}
