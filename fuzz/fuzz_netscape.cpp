// An HTML bookmark file of any bytes: the categories read are named, none empty, each
// once, no link without an address; written as a bookmark file and read again they
// are the same.
#include "FuzzSupport.h"
#include "bookmarks/NetscapeBookmarks.h"

#include <QHash>
#include <QSet>

namespace {

void checkRead(const QList<ExchangeCategory> &categories)
{
    QSet<QString> names;
    for (const ExchangeCategory &category : categories) {
        Fuzz::require(!category.name.isEmpty() && Fuzz::gb18030Size(category.name) <= 254,
                      "a category is named, within a profile value");
        Fuzz::require(!names.contains(category.name), "a category is read once");
        names.insert(category.name);
        Fuzz::require(!category.bookmarks.isEmpty(), "no category is empty");
        for (const ExchangeBookmark &bookmark : category.bookmarks) {
            Fuzz::require(!bookmark.address.isEmpty() && !bookmark.name.isEmpty(), "a bookmark has a name and an address");
            Fuzz::require(!bookmark.address.startsWith(QStringLiteral("place:"), Qt::CaseInsensitive),
                          "place: links are left out");
            Fuzz::require(!bookmark.address.contains(u'\n') && !bookmark.address.contains(u'\r') && !bookmark.address.contains(u'\t'),
                          "an address is one line, as browsers read it");
            Fuzz::require(bookmark.added >= 0, "a date is a date or 0");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<ExchangeCategory> read = NetscapeBookmarks::read(Fuzz::bytes(data, size));
    checkRead(read);
    const QString path = Fuzz::scratch() + QStringLiteral("/bookmarks.html");
    Fuzz::require(NetscapeBookmarks::write(read, path), "a scratch bookmark file can be written");
    const auto again = NetscapeBookmarks::readFile(path);
    Fuzz::require(again.has_value() && again->size() == read.size(), "a written file has the categories read");
    // In their order, but that a category named like the file's heading comes first.
    QHash<QString, const ExchangeCategory *> byName;
    for (const ExchangeCategory &category : *again)
        byName.insert(category.name, &category);
    for (const ExchangeCategory &was : read) {
        Fuzz::require(byName.contains(was.name), "a category reads back with its name");
        const ExchangeCategory &is = *byName.value(was.name);
        Fuzz::require(is.bookmarks.size() == was.bookmarks.size(),
                      "a category reads back with its name and its bookmarks");
        for (qsizetype j = 0; j < was.bookmarks.size(); ++j) {
            const ExchangeBookmark &a = was.bookmarks.at(j);
            const ExchangeBookmark &b = is.bookmarks.at(j);
            Fuzz::require(b.name == a.name, "a bookmark's name reads back");
            Fuzz::require(b.address == a.address, "a bookmark's address reads back");
            Fuzz::require(a.added == 0 || b.added == a.added, "a bookmark's date reads back");
        }
    }
    return 0;
}
