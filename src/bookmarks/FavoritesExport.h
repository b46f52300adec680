#pragma once

#include "ExchangeData.h"

#include <QStringList>

struct ExportCounts
{
    int written = 0;        // shortcut files written
    int failed = 0;         // bookmarks not exported
    QStringList failedPaths; // folders and files that could not be written
};

// Writes categories into a favourites folder: one sub-folder per category (an
// existing one is reused) and one Internet shortcut per bookmark (an existing
// one gets its address set again, every other line kept). A folder or file that
// cannot be written is skipped; the rest goes on. No file is ever left cut short
// under its name, and every file counted as written is on disk when this returns.
namespace FavoritesExport {

// Nothing is written when folder is empty or is not an existing folder.
ExportCounts write(const QString &folder, const QList<ExchangeCategory> &categories);

} // namespace FavoritesExport
