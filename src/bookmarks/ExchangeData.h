#pragma once

#include "core/IniFile.h"

#include <QList>
#include <QString>
#include <QStringList>

// Bookmarks as they travel between this program and other browsers' files.
struct ExchangeBookmark
{
    QString name;
    QString address;
    qint64 added = 0; // seconds since the epoch, 0 when unknown
};

struct ExchangeCategory
{
    QString name;
    QList<ExchangeBookmark> bookmarks;
};

// A category needs a name to be listed; other browsers allow nameless folders.
inline QString folderTitle(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("未命名") : title;
}

// Folders deeper than this are read as if at this depth: deeper than any real
// tree, and a bound on what a hostile file's nesting can cost.
constexpr int MaxFolderDepth = 100;

// A name cut as the profile would store it; a cut that ends at a blank leaves it out, as
// a bookmark file read again would, so that two names do not differ by it alone.
inline QString cutName(const QString &name)
{
    QString cut = cutToProfileLimit(name);
    if (cut.size() < name.size()) {
        while (cut.endsWith(u' '))
            cut.chop(1);
    }
    return cut;
}

// The name of a top-level folder's category.
inline QString categoryName(const QString &title)
{
    return cutName(folderTitle(title));
}

// A folder inside another becomes the category "Parent / Child". Each part is cut
// before they are joined: a long name joined anew at every level would grow without bound.
inline QString nestedCategoryName(const QString &parent, const QString &child)
{
    return cutName(parent + QStringLiteral(" / ") + categoryName(child));
}

// Other browsers keep empty folders; as categories they would only clutter the list.
inline void dropEmptyCategories(QList<ExchangeCategory> *categories)
{
    categories->removeIf([](const ExchangeCategory &category) { return category.bookmarks.isEmpty(); });
}

// What an import from an installed browser found. On failure categories is
// empty and error says why; lookedIn lists every file or folder that was tried.
struct BrowserImport
{
    QList<ExchangeCategory> categories;
    QStringList lookedIn;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Where the user's browsers keep their profiles: the home folder and the XDG
// configuration folder ($XDG_CONFIG_HOME, by default ~/.config).
struct UserFolders
{
    QString home;
    QString config;
};

// A browser whose bookmarks file is there to import.
struct InstalledBrowser
{
    enum Format { ChromiumJson, FirefoxPlaces };

    QString name;      // as the user knows it: "Google Chrome", "Firefox (Snap)"
    QString bookmarks; // the JSON file "Bookmarks", or Firefox's places.sqlite
    Format format = ChromiumJson;
};

// The browsers found, in a fixed order, and every file that was tried on the way.
struct BrowserSearch
{
    QList<InstalledBrowser> found;
    QStringList lookedIn;
};
