#include "FavoritesImport.h"

#include "InternetShortcut.h"

#include <QDateTime>
#include <QFile>
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

QList<ExchangeBookmark> read(const QList<ShortcutFolder::File> &files)
{
    QList<ExchangeBookmark> bookmarks;
    for (const ShortcutFolder::File &file : files) {
        const QString name = InternetShortcut::favouriteName(file.name);
        if (name.isEmpty())
            continue;
        if (const auto address = InternetShortcut::address(ShortcutFolder::read(file.path).value_or(QByteArray())))
            bookmarks.append({name, *address, file.added});
    }
    return bookmarks;
}

QList<ExchangeBookmark> read(const QStringList &paths)
{
    QList<ShortcutFolder::File> files;
    for (const QString &path : paths)
        files.append({QFileInfo(path).fileName(), QFile::encodeName(path), fileTime(path)});
    return read(files);
}

} // namespace FavoritesImport
