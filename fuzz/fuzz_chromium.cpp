// A Chromium "Bookmarks" JSON file of any bytes: either refused with a reason, or
// categories that are named, each within a profile value, none empty, with a bounded
// count however deep the folders nest; and what is read survives an HTML export.
#include "FuzzSupport.h"
#include "bookmarks/ChromiumBookmarks.h"
#include "bookmarks/NetscapeBookmarks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytes(data, size);
    const QString path = Fuzz::scratch() + QStringLiteral("/Bookmarks");
    Fuzz::writeFile(path, bytes);
    const BrowserImport read = ChromiumBookmarks::readFile(path);
    Fuzz::require(read.lookedIn == QStringList{path}, "the file read is the one looked in");
    if (!read.ok()) {
        Fuzz::require(read.categories.isEmpty(), "a refused file gives no categories");
        return 0;
    }
    // A folder is at least "{}" in the file, a bookmark at least a "url" of its own.
    Fuzz::require(read.categories.size() <= 3 + bytes.count('{'), "no more categories than folders");
    qsizetype bookmarks = 0;
    for (const ExchangeCategory &category : read.categories) {
        Fuzz::require(!category.name.isEmpty() && Fuzz::gb18030Size(category.name) <= 254,
                      "a category is named, within a profile value");
        Fuzz::require(!category.bookmarks.isEmpty(), "no category is empty");
        for (const ExchangeBookmark &bookmark : category.bookmarks)
            Fuzz::require(!bookmark.address.isEmpty() && !bookmark.name.isEmpty() && bookmark.added >= 0,
                          "a bookmark has a name, an address and a date or 0");
        bookmarks += category.bookmarks.size();
    }
    Fuzz::require(bookmarks <= bytes.count('{'), "no more bookmarks than objects");
    return 0;
}
