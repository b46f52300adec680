#pragma once

#include "ExchangeData.h"
#include "InstalledBrowsers.h"

// Bookmarks of a browser of the Chromium family: the JSON file "Bookmarks".
// Each root (bookmark bar, other, mobile) is a category; folders inside are
// "Parent / Child".
namespace ChromiumBookmarks {

// The first of the family that InstalledBrowsers finds, Google Chrome before Chromium.
BrowserImport read(const UserFolders &folders = InstalledBrowsers::userFolders());
BrowserImport readFile(const QString &path);

} // namespace ChromiumBookmarks
