// An HTML bookmark file of any bytes: the categories read are named, none empty, each
// once, no link without an address; written as a bookmark file and read again they
// are the same.
#include "FuzzSupport.h"
#include "bookmarks/NetscapeBookmarks.h"

#include <QSet>

namespace {

// What a write keeps of an address: line breaks and tabs are dropped, as browsers drop them.
QString asWritten(QString address)
{
    return address.remove(u'\n').remove(u'\r').remove(u'\t').trimmed();
}

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
    for (qsizetype i = 0; i < read.size(); ++i) {
        const ExchangeCategory &was = read.at(i);
        const ExchangeCategory &is = again->at(i);
        Fuzz::require(is.name == was.name && is.bookmarks.size() == was.bookmarks.size(),
                      "a category reads back with its name and its bookmarks");
        for (qsizetype j = 0; j < was.bookmarks.size(); ++j) {
            const ExchangeBookmark &a = was.bookmarks.at(j);
            const ExchangeBookmark &b = is.bookmarks.at(j);
            Fuzz::require(b.name == a.name, "a bookmark's name reads back");
            Fuzz::require(b.address == asWritten(a.address), "a bookmark's address reads back");
            Fuzz::require(a.added == 0 || b.added == a.added, "a bookmark's date reads back");
        }
    }
    return 0;
}
