#include "FavoritesExport.h"

#include "ExportNames.h"
#include "FavoritesExportBatch.h"
#include "InternetShortcut.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Joined as text: QDir::filePath() takes a name that starts with ':' for a resource
// path and gives it back alone, which mkdir() then makes in the working folder.
QString inside(const QString &folder, const QString &name)
{
    return folder + u'/' + name;
}

bool ensureFolder(const QString &path)
{
    return QFileInfo(path).isDir() || QDir().mkdir(path);
}

void writeCategory(const QString &folder, const ExchangeCategory &category, FavoritesExportBatch &batch,
                   ExportCounts *counts)
{
    ExportNames names(QStringLiteral(".url"));
    for (const ExchangeBookmark &bookmark : category.bookmarks) {
        const QString path = inside(folder, names.unique(bookmark.name));
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
    const bool usable = !folder.isEmpty() && QFileInfo(folder).isDir();
    ExportNames folderNames;
    FavoritesExportBatch batch;
    for (const ExchangeCategory &category : categories) {
        const QString path = inside(folder, folderNames.unique(category.name));
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
