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

// What an import from an installed browser found. On failure categories is
// empty and error says why; lookedIn lists every file or folder that was tried.
struct BrowserImport
{
    QList<ExchangeCategory> categories;
    QStringList lookedIn;
    QString error;

    bool ok() const { return error.isEmpty(); }
};
