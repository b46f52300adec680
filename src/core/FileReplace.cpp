#include "FileReplace.h"

#include <QDirIterator>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool replaceFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered, so a write that stops part way (a full disk) shows in its count:
    // QSaveFile commits a buffered one whose flush failed, and the file is left cut short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.error() == QFileDevice::NoError ? QStringLiteral("磁盘空间不足，只写入了一部分")
                                                          : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool syncFileSystems(const QStringList &folders)
{
    // A look at each folder's device, and one open and sync for each device.
    QSet<dev_t> synced;
    bool ok = true;
    for (const QString &folder : folders) {
        const QByteArray path = QFile::encodeName(folder);
        struct stat info;
        if (::stat(path.constData(), &info) != 0) {
            ok = false;
            continue;
        }
        if (synced.contains(info.st_dev))
            continue;
        synced.insert(info.st_dev);
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ok = fd >= 0 && ::syncfs(fd) == 0 && ok;
        if (fd >= 0)
            ::close(fd);
    }
    return ok;
}

namespace {

// "name.ini" of "name.ini.AbCdEf", else nothing. Read by hand: a pattern would load
// and compile the regular-expression engine at every start for one look at a folder.
QString copiedFile(const QString &name)
{
    const qsizetype dot = name.size() - 7;
    if (dot < 0 || name.at(dot) != u'.')
        return {};
    const auto letter = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    if (!std::all_of(name.cbegin() + dot + 1, name.cend(), letter))
        return {};
    const QString file = name.left(dot);
    const bool profileFile = file.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive)
        || file.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
    return profileFile && file.size() > 4 ? file : QString();
}

} // namespace

int removeLeftoverCopies(const QString &folder)
{
    int removed = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString file = copiedFile(it.fileName());
        if (file.isEmpty())
            continue;
        // Taken only when no writer has it: a copy under way is not a leftover.
        QLockFile lock(it.fileInfo().path() + u'/' + file + QStringLiteral(".lock"));
        if (lock.tryLock(0) && QFile::remove(path))
            ++removed;
    }
    return removed;
}
