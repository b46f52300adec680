#include "ProfileFolder.h"

#include "FileReplace.h"
#include "Logging.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

QString ProfileFolder::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Vantorel/profile");
}

ProfileFolder::ProfileFolder(const QString &path) : m_path(QDir::cleanPath(path)) {}

QString ProfileFolder::file(const QString &name) const { return m_path + QLatin1Char('/') + name; }

bool ProfileFolder::prepare(const QString &shipped) const
{
    if (!QDir().mkpath(m_path)) {
        qCWarning(lcProfile) << "cannot make the profile folder" << m_path;
        return false;
    }
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    removeLeftoverCopies(m_path);
    const QDir source(shipped);
    QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        copyWhenAbsent(from, file(source.relativeFilePath(from)));
    }
    return true;
}

// Written anew rather than copied, so the copy is the user's to change even when
// the shipped file is read-only, and a crash never leaves half a file behind.
bool ProfileFolder::copyWhenAbsent(const QString &from, const QString &to) const
{
    if (QFileInfo::exists(to))
        return true;
    QFile source(from);
    QDir().mkpath(QFileInfo(to).path());
    if (!source.open(QIODevice::ReadOnly) || !replaceFile(to, source.readAll())) {
        qCWarning(lcProfile) << "cannot copy" << from << "to" << to;
        return false;
    }
    return true;
}

QString ProfileFolder::realPath(const QString &file)
{
    const QFileInfo info(file);
    if (info.exists())
        return info.canonicalFilePath();
    if (info.isSymLink())
        return QString();
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? QString() : QDir(parent).filePath(info.fileName());
}

QString ProfileFolder::locationOf(const QString &realFile) const
{
    const QString root = QFileInfo(m_path).canonicalFilePath();
    if (root.isEmpty() || realFile.isEmpty())
        return QString();
    const QString prefix = root.endsWith(u'/') ? root : root + u'/';
    if (!realFile.startsWith(prefix) || realFile.size() == prefix.size())
        return QString();
    return realFile.mid(prefix.size() - 1);
}
