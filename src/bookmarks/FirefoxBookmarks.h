#pragma once

#include "ExchangeData.h"
#include "InstalledBrowsers.h"

// Bookmarks of Firefox, read from a copy of its places.sqlite (a running
// Firefox keeps the original locked). Each root folder (menu, toolbar, other,
// mobile) is a category; folders inside are "Parent / Child".
namespace FirefoxBookmarks {

// The default profile of the first Firefox that InstalledBrowsers finds.
BrowserImport read(const UserFolders &folders = InstalledBrowsers::userFolders());
BrowserImport readPlaces(const QString &places);

} // namespace FirefoxBookmarks
