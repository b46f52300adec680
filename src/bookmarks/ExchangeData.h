#pragma once

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

// A folder inside another becomes the category "Parent / Child".
inline QString nestedCategoryName(const QString &parent, const QString &child)
{
    return parent + QStringLiteral(" / ") + folderTitle(child);
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
