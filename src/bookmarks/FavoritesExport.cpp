#include "FavoritesExport.h"

#include "ExportNames.h"
#include "InternetShortcut.h"

#include <QDir>
#include <QFileInfo>
#include <QThreadPool>

namespace {

// Each shortcut waits for the disk (QSaveFile syncs before it renames), so
// several writers at once overlap those waits; the processor is hardly used.
constexpr int Writers = 16;

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

ExportCounts sum(const QList<ExportCounts> &parts)
{
    ExportCounts total;
    for (const ExportCounts &part : parts) {
        total.written += part.written;
        total.failed += part.failed;
        total.failedPaths += part.failedPaths;
    }
    return total;
}

} // namespace

namespace FavoritesExport {

ExportCounts write(const QString &folder, const QList<ExchangeCategory> &categories)
{
    const QDir root(folder);
    const bool usable = !folder.isEmpty() && QFileInfo(folder).isDir();
    // One slot per category keeps the failures in category order whatever the threads do.
    QList<ExportCounts> parts(categories.size());
    QThreadPool pool;
    pool.setMaxThreadCount(Writers);
    ExportNames folderNames;
    for (qsizetype i = 0; i < categories.size(); ++i) {
        const ExchangeCategory &category = categories.at(i);
        const QString path = root.filePath(folderNames.unique(category.name));
        ExportCounts *part = &parts[i];
        if (!usable || !ensureFolder(path)) {
            part->failed = category.bookmarks.size();
            part->failedPaths.append(path);
            continue;
        }
        pool.start([path, &category, part] { writeCategory(path, category, part); });
    }
    pool.waitForDone();
    return sum(parts);
}

} // namespace FavoritesExport
