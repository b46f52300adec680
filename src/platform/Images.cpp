#include "Images.h"

#include "DrawnIconEngine.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>

namespace {

QString folderOf(const QString &programFolder)
{
    return programFolder + QStringLiteral("/images/");
}

// The drawn sizes, when they are there and the screens show one pixel per point;
// elsewhere the SVG draws itself sharp at any size.
QIcon drawn(const QString &programFolder, const QString &key)
{
    const QString folder = folderOf(programFolder) + QStringLiteral("drawn/");
    if (qGuiApp->devicePixelRatio() > 1 || !QFile::exists(folder + Images::drawnName(key, Images::DrawnSizes[0])))
        return {};
    QStringList files;
    QList<int> sizes;
    for (const int size : Images::DrawnSizes) {
        files.append(folder + Images::drawnName(key, size));
        sizes.append(size);
    }
    return QIcon(new DrawnIconEngine(files, sizes));
}

} // namespace

namespace Images {

QIcon icon(const QString &programFolder, const QString &key)
{
    static QHash<QString, QIcon> cache;
    const QString id = programFolder + u'\n' + key;
    auto it = cache.find(id);
    if (it == cache.end()) {
        QIcon found = drawn(programFolder, key);
        if (found.isNull()) {
            const QString svg = folderOf(programFolder) + key + QStringLiteral(".svg");
            found = QFile::exists(svg) ? QIcon(svg) : QIcon();
        }
        it = cache.insert(id, found);
    }
    return *it;
}

QPixmap pixmap(const QString &programFolder, const QString &key, QSize size)
{
    return icon(programFolder, key).pixmap(size);
}

QImage readAs(const QString &file, const char *format)
{
    QImageReader reader(file, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

void readAhead(const QString &programFolder)
{
    const QDir folder(folderOf(programFolder) + QStringLiteral("drawn"));
    QStringList files;
    // Matched by hand: a name filter would load the regular expression library for this alone.
    const QString small = drawnName(QString(), 16), toolbar = drawnName(QString(), 24);
    for (const QString &name : folder.entryList(QDir::Files))
        if (name.endsWith(small) || name.endsWith(toolbar))
            files.append(folder.filePath(name));
    DrawnIconEngine::readAhead(files);
}

} // namespace Images
