#pragma once

#include "ExchangeData.h"

#include <QDir>

// Bookmarks of the Default profile of Google Chrome, else of Chromium: the
// JSON file "Bookmarks". Each root (bookmark bar, other, mobile) is a
// category; folders inside are "Parent / Child".
namespace ChromiumBookmarks {

BrowserImport read(const QString &home = QDir::homePath());

} // namespace ChromiumBookmarks
