#include "FavoritesImport.h"

#include "InternetShortcut.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

qint64 fileTime(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime born = info.birthTime();
    return (born.isValid() ? born : info.lastModified()).toSecsSinceEpoch();
}

} // namespace

namespace FavoritesImport {

QList<ExchangeBookmark> read(const QStringList &paths)
{
    QList<ExchangeBookmark> bookmarks;
    for (const QString &path : paths) {
        const QString name = InternetShortcut::favouriteName(path);
        if (name.isEmpty())
            continue;
        const auto address = InternetShortcut::read(path);
        if (!address)
            continue;
        bookmarks.append({name, *address, fileTime(path)});
    }
    return bookmarks;
}

} // namespace FavoritesImport
