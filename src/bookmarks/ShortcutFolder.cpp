#include "ShortcutFolder.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

QString decodedName(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString name = utf8.decode(bytes);
    return utf8.hasError() ? QString(QStringDecoder("GB18030").decode(bytes)) : name;
}

qint64 addedTime(const QByteArray &path)
{
    struct statx info = {};
    if (statx(AT_FDCWD, path.constData(), 0, STATX_BTIME | STATX_MTIME, &info) != 0)
        return 0;
    return (info.stx_mask & STATX_BTIME) ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec;
}

} // namespace

namespace ShortcutFolder {

QList<File> list(const QString &folder)
{
    QList<File> files;
    const QByteArray base = QFile::encodeName(folder);
    DIR *dir = opendir(base.constData());
    if (!dir)
        return files;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() <= 4 || !name.right(4).toLower().endsWith(".url"))
            continue;
        const QByteArray path = base + '/' + name;
        struct stat info = {};
        if (stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        files.append({decodedName(name), path, addedTime(path)});
    }
    closedir(dir);
    std::sort(files.begin(), files.end(), [](const File &a, const File &b) { return a.name < b.name; });
    return files;
}

QByteArray read(const QByteArray &path)
{
    const int descriptor = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return {};
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return file.readAll();
}

} // namespace ShortcutFolder
