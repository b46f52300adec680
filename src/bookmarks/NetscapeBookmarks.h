#pragma once

#include "ExchangeData.h"

#include <QByteArray>

#include <optional>

// HTML bookmark files (<!DOCTYPE NETSCAPE-Bookmark-file-1>), the format every
// desktop browser imports and exports.
namespace NetscapeBookmarks {

// Decodes by the byte-order mark, else by the charset the META tag names,
// else as UTF-8. place: links and links without an address are left out, and
// so are folders left empty.
QList<ExchangeCategory> read(const QByteArray &bytes);
// nullopt when the file cannot be read.
std::optional<QList<ExchangeCategory>> readFile(const QString &path);

// Writes one folder per category, UTF-8, each element on a line of its own
// (Chromium reads these files line by line). A bookmark without a date is dated
// now. False when the file could not be written; an old file is then kept.
bool write(const QList<ExchangeCategory> &categories, const QString &path);

} // namespace NetscapeBookmarks
