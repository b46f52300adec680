#include "ChromiumBookmarks.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QList<std::pair<QString, QString>> Roots = {
    {QStringLiteral("bookmark_bar"), QStringLiteral("书签栏")},
    {QStringLiteral("other"), QStringLiteral("其他书签")},
    {QStringLiteral("synced"), QStringLiteral("移动设备书签")},
};

// Chromium counts microseconds from 1601-01-01 UTC, as Windows file times do.
constexpr qint64 EpochOffsetSeconds = 11'644'473'600LL;

qint64 unixSeconds(const QJsonValue &dateAdded)
{
    const qint64 seconds = dateAdded.toString().toLongLong() / 1'000'000 - EpochOffsetSeconds;
    return seconds > 0 ? seconds : 0;
}

// A folder deeper than MaxFolderDepth adds to the category of the one at that depth.
void addFolder(const QJsonObject &folder, const QString &name, int depth, qsizetype index,
               QList<ExchangeCategory> *categories)
{
    if (depth <= MaxFolderDepth) {
        index = categories->size();
        categories->append({name, {}});
    }
    for (const QJsonValue &value : folder.value(QStringLiteral("children")).toArray()) {
        const QJsonObject node = value.toObject();
        const QString type = node.value(QStringLiteral("type")).toString();
        const QString title = node.value(QStringLiteral("name")).toString();
        if (type == QStringLiteral("folder")) {
            const QString nested = depth < MaxFolderDepth ? nestedCategoryName(name, title) : name;
            addFolder(node, nested, depth + 1, index, categories);
        } else if (type == QStringLiteral("url")) {
            const QString url = node.value(QStringLiteral("url")).toString();
            if (!url.isEmpty())
                (*categories)[index].bookmarks.append(
                    {title.isEmpty() ? url : title, url, unixSeconds(node.value(QStringLiteral("date_added")))});
        }
    }
}

} // namespace

namespace ChromiumBookmarks {

BrowserImport read(const UserFolders &folders)
{
    return InstalledBrowsers::readFirst(InstalledBrowsers::findChromium(folders),
                                        QStringLiteral("找不到 Chrome、Chromium、Edge 等浏览器的书签文件"));
}

BrowserImport readFile(const QString &path)
{
    BrowserImport result;
    result.lookedIn.append(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("无法读取书签文件：") + path;
        return result;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    const QJsonObject roots = doc.object().value(QStringLiteral("roots")).toObject();
    if (error.error != QJsonParseError::NoError || roots.isEmpty()) {
        result.error = QStringLiteral("书签文件无法识别：") + path;
        return result;
    }
    for (const auto &[key, title] : Roots)
        addFolder(roots.value(key).toObject(), title, 1, 0, &result.categories);
    dropEmptyCategories(&result.categories);
    return result;
}

} // namespace ChromiumBookmarks
