#pragma once

#include "ExchangeData.h"

// Finds the bookmarks of the browsers installed for this user: Firefox (its own
// install, Snap and Flatpak) and the Chromium family (Chrome, Chromium, Edge,
// Brave, Vivaldi, Opera, Yandex). A browser kept in both the XDG configuration
// folder and ~/.config is listed once, from the XDG folder. Firefox kept in both
// ~/.mozilla and the XDG folder is listed twice, ~/.mozilla first, each name
// followed by its folder: "Firefox (~/.mozilla/firefox)".
namespace InstalledBrowsers {

// The running user's folders: $HOME, and $XDG_CONFIG_HOME or else ~/.config.
UserFolders userFolders();

// Every browser found: Firefox first, then the Chromium family.
BrowserSearch find(const UserFolders &folders = userFolders());
BrowserSearch findFirefox(const UserFolders &folders = userFolders());
BrowserSearch findChromium(const UserFolders &folders = userFolders());

// The bookmarks of one browser that find() listed.
BrowserImport read(const InstalledBrowser &browser);
// Those of the first browser a search found; without one, noneFound and where it looked.
BrowserImport readFirst(const BrowserSearch &search, const QString &noneFound);

} // namespace InstalledBrowsers
