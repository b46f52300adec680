#include "FavoritesExport.h"

#include "ExportNames.h"
#include "InternetShortcut.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool ensureFolder(const QString &path)
{
    return QFileInfo(path).isDir() || QDir().mkdir(path);
}

void writeCategory(const QString &folder, const ExchangeCategory &category, ExportCounts *counts)
{
    const QDir dir(folder);
    ExportNames names(QStringLiteral(".url"));
    for (const ExchangeBookmark &bookmark : category.bookmarks) {
        const QString path = dir.filePath(names.unique(bookmark.name));
        if (InternetShortcut::write(path, bookmark.address)) {
            ++counts->written;
        } else {
            ++counts->failed;
            counts->failedPaths.append(path);
        }
    }
}

} // namespace

namespace FavoritesExport {

ExportCounts write(const QString &folder, const QList<ExchangeCategory> &categories)
{
    ExportCounts counts;
    const QDir root(folder);
    const bool usable = !folder.isEmpty() && QFileInfo(folder).isDir();
    ExportNames folderNames;
    for (const ExchangeCategory &category : categories) {
        const QString path = root.filePath(folderNames.unique(category.name));
        if (!usable || !ensureFolder(path)) {
            counts.failed += int(category.bookmarks.size());
            counts.failedPaths.append(path);
            continue;
        }
        writeCategory(path, category, &counts);
    }
    return counts;
}

} // namespace FavoritesExport
