#include "Images.h"

#include <QHash>
#include <QFile>
#include <QIcon>

namespace {

QString path(const QString &programFolder, const QString &key)
{
    return programFolder + QStringLiteral("/images/") + key + QStringLiteral(".svg");
}

} // namespace

namespace Images {

QIcon icon(const QString &programFolder, const QString &key)
{
    static QHash<QString, QIcon> cache;
    const QString file = path(programFolder, key);
    auto it = cache.find(file);
    if (it == cache.end())
        it = cache.insert(file, QFile::exists(file) ? QIcon(file) : QIcon());
    return *it;
}

QPixmap pixmap(const QString &programFolder, const QString &key, QSize size)
{
    return icon(programFolder, key).pixmap(size);
}

} // namespace Images
