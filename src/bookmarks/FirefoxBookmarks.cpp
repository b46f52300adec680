#include "FirefoxBookmarks.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

namespace {

const QList<std::pair<QString, QString>> Roots = {
    {QStringLiteral("menu________"), QStringLiteral("书签菜单")},
    {QStringLiteral("toolbar_____"), QStringLiteral("书签工具栏")},
    {QStringLiteral("unfiled_____"), QStringLiteral("其他书签")},
    {QStringLiteral("mobile______"), QStringLiteral("移动设备书签")},
};

enum ItemType { Bookmark = 1, Folder = 2 };

struct Item
{
    qint64 id = 0;
    int type = 0;
    QString title;
    QString guid;
    QString url;
    qint64 added = 0; // microseconds
};

// Children of each folder in their order; all items by guid for the roots.
struct Tree
{
    QHash<qint64, QList<Item>> children;
    QHash<QString, qint64> idOfGuid;
};

QString readTree(const QString &database, Tree *tree)
{
    QSqlDatabase db = QSqlDatabase::database(database, false);
    if (!db.open())
        return QStringLiteral("无法打开 Firefox 书签数据库：") + db.lastError().text();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT b.id, b.type, b.parent, b.title, b.dateAdded, b.guid, p.url "
                                   "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                                   "ORDER BY b.parent, b.position")))
        return QStringLiteral("无法读取 Firefox 书签数据库：") + query.lastError().text();
    while (query.next()) {
        const Item item{query.value(0).toLongLong(), query.value(1).toInt(), query.value(3).toString(),
                        query.value(5).toString(), query.value(6).toString(), query.value(4).toLongLong()};
        tree->children[query.value(2).toLongLong()].append(item);
        tree->idOfGuid.insert(item.guid, item.id);
    }
    return QString();
}

// The copy is opened under a connection of its own, removed again once every
// handle on it is gone.
QString readCopy(const QString &places, Tree *tree)
{
    const QString connection = QStringLiteral("firefox-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection).setDatabaseName(places);
    const QString error = readTree(connection, tree);
    QSqlDatabase::removeDatabase(connection);
    return error;
}

// A folder deeper than MaxFolderDepth adds to the category of the one at that depth.
// Each folder is read once: a damaged database may hold folders that contain themselves.
void addFolder(const Tree &tree, qint64 id, const QString &name, int depth, qsizetype index,
               QSet<qint64> *seen, QList<ExchangeCategory> *categories)
{
    if (seen->contains(id))
        return;
    seen->insert(id);
    if (depth <= MaxFolderDepth) {
        index = categories->size();
        categories->append({name, {}});
    }
    for (const Item &item : tree.children.value(id)) {
        if (item.type == Folder) {
            const QString nested = depth < MaxFolderDepth ? nestedCategoryName(name, item.title) : name;
            addFolder(tree, item.id, nested, depth + 1, index, seen, categories);
        } else if (item.type == Bookmark && !item.url.isEmpty()
                   && !item.url.startsWith(QStringLiteral("place:"), Qt::CaseInsensitive)) {
            const QString title = item.title.isEmpty() ? item.url : item.title;
            (*categories)[index].bookmarks.append({title, item.url, item.added / 1'000'000});
        }
    }
}

bool copyPlaces(const QString &places, const QString &to)
{
    if (!QFile::copy(places, to))
        return false;
    // Recent changes may still sit in the write-ahead log.
    const QString wal = places + QStringLiteral("-wal");
    return !QFile::exists(wal) || QFile::copy(wal, to + QStringLiteral("-wal"));
}

} // namespace

namespace FirefoxBookmarks {

BrowserImport read(const UserFolders &folders)
{
    return InstalledBrowsers::readFirst(InstalledBrowsers::findFirefox(folders),
                                        QStringLiteral("找不到 Firefox 配置文件或其中的书签文件 places.sqlite"));
}

BrowserImport readPlaces(const QString &places)
{
    BrowserImport result;
    result.lookedIn.append(places);
    QTemporaryDir temporary;
    const QString copy = temporary.filePath(QStringLiteral("places.sqlite"));
    if (!QFile::exists(places) || !temporary.isValid() || !copyPlaces(places, copy)) {
        result.error = QStringLiteral("无法读取 Firefox 书签文件 places.sqlite");
        return result;
    }
    Tree tree;
    result.error = readCopy(copy, &tree);
    if (!result.ok())
        return result;
    QSet<qint64> seen;
    for (const auto &[guid, name] : Roots) {
        if (tree.idOfGuid.contains(guid))
            addFolder(tree, tree.idOfGuid.value(guid), name, 1, 0, &seen, &result.categories);
    }
    dropEmptyCategories(&result.categories);
    return result;
}

} // namespace FirefoxBookmarks
