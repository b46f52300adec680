#pragma once

#include "ExchangeData.h"
#include "ShortcutFolder.h"

#include <QStringList>

// Reads chosen Internet-shortcut files as bookmarks, in the order given.
namespace FavoritesImport {

// A file without an address or whose name is empty without ".url" is left out.
QList<ExchangeBookmark> read(const QList<ShortcutFolder::File> &files);
// The same by path; added is the file's creation time where the file system
// keeps one, else its last change.
QList<ExchangeBookmark> read(const QStringList &paths);

} // namespace FavoritesImport
