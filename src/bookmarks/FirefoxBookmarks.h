#pragma once

#include "ExchangeData.h"

#include <QDir>

// Bookmarks of the default Firefox profile, read from a copy of its
// places.sqlite (a running Firefox keeps the original locked). Each root folder
// (menu, toolbar, other, mobile) is a category; folders inside are "Parent / Child".
namespace FirefoxBookmarks {

BrowserImport read(const QString &home = QDir::homePath());

} // namespace FirefoxBookmarks
