#pragma once

#include <QString>

#include <optional>

// Internet-shortcut files (".url") as Windows keeps favourites: an INI text
// whose [InternetShortcut] section holds the address under the key URL.
namespace InternetShortcut {

// The address, or nullopt when the file cannot be read or has no address.
// A URL in [InternetShortcut.W] (UTF-7, written for text the ANSI code page
// lacks) takes precedence over the one in [InternetShortcut].
std::optional<QString> read(const QString &path);
// The same, from a file's content.
std::optional<QString> address(const QByteArray &content);

// The file name without its ".url" ending.
QString favouriteName(const QString &path);

// What write() would do without doing it: the file's whole new content, or
// changed false (and no bytes) when it holds that already. Nullopt when an
// existing file cannot be read.
struct Update
{
    QByteArray bytes;
    bool changed = true;
    bool existing = false; // the file was there and has been read
};
std::optional<Update> update(const QString &path, const QString &address);

// Sets the URL key, creating the file when needed and keeping every other line.
// New files are GBK with CR LF; an existing UTF-8 file stays UTF-8. False when
// the file could not be read or written; it is then left as it was. Waits for
// the disk: many files go through FavoritesExport, which waits once.
bool write(const QString &path, const QString &address);

} // namespace InternetShortcut
