#include "FavoritesExport.h"

#include "ExportNames.h"
#include "FavoritesExportBatch.h"
#include "InternetShortcut.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool ensureFolder(const QString &path)
{
    return QFileInfo(path).isDir() || QDir().mkdir(path);
}

void writeCategory(const QString &folder, const ExchangeCategory &category, FavoritesExportBatch &batch,
                   ExportCounts *counts)
{
    const QDir dir(folder);
    ExportNames names(QStringLiteral(".url"));
    for (const ExchangeBookmark &bookmark : category.bookmarks) {
        const QString path = dir.filePath(names.unique(bookmark.name));
        const auto update = InternetShortcut::update(path, bookmark.address);
        // One that says so already is left alone.
        if (update && (!update->changed || batch.add(path, update->bytes, update->existing))) {
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
    FavoritesExportBatch batch;
    for (const ExchangeCategory &category : categories) {
        const QString path = root.filePath(folderNames.unique(category.name));
        if (!usable || !ensureFolder(path)) {
            counts.failed += int(category.bookmarks.size());
            counts.failedPaths.append(path);
            continue;
        }
        writeCategory(path, category, batch, &counts);
    }
    const QStringList lost = batch.finish();
    counts.written -= int(lost.size());
    counts.failed += int(lost.size());
    counts.failedPaths += lost;
    return counts;
}

} // namespace FavoritesExport
