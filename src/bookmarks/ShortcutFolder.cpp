#include "ShortcutFolder.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// To the end, in one read when the file is as large as it said; it may have grown.
std::optional<QByteArray> readAll(int descriptor, qint64 expected)
{
    QByteArray bytes(qsizetype(std::clamp<qint64>(expected, 0, 1 << 20)) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        const ssize_t got = ::read(descriptor, bytes.data() + used, size_t(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        used += got;
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
    }
    bytes.truncate(used);
    return bytes;
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

std::optional<QByteArray> read(const QByteArray &path)
{
    // By hand, not with QFile: an import reads thousands of these, and QFile looks at
    // each one three times before its first read.
    const int descriptor = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::optional<QByteArray> content;
    struct stat info = {};
    if (fstat(descriptor, &info) == 0 && !S_ISDIR(info.st_mode))
        content = readAll(descriptor, info.st_size);
    close(descriptor);
    return content;
}

} // namespace ShortcutFolder
