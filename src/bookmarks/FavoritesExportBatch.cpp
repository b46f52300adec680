#include "FavoritesExportBatch.h"

#include "core/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <utility>

namespace {

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(u'/'));
}

// Short and fixed: a final name may use all the 255 bytes a name can have.
QString temporaryIn(const QString &folder)
{
    quint64 bits = QRandomGenerator::global()->generate64();
    QString name = folder + QStringLiteral("/.export-");
    for (int i = 0; i < 8; ++i, bits /= 26)
        name += QChar(u'a' + int(bits % 26));
    return name + QStringLiteral(".tmp");
}

// Created, never reused: a name already taken is somebody else's, and another is tried.
bool openNew(QFile &file, const QString &folder)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        file.setFileName(temporaryIn(folder));
        // Unbuffered, so a write that stops part way (a full disk) shows in its count.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!QFileInfo::exists(file.fileName()))
            return false;
    }
    return false;
}

bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

bool FavoritesExportBatch::add(const QString &path, const QByteArray &bytes, bool replacing)
{
    QString target = path;
    if (replacing && QFileInfo(path).isSymLink())
        target = QFileInfo(path).canonicalFilePath();
    const QString folder = folderOf(target);
    QFile file;
    if (!openNew(file, folder))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.remove();
        return false;
    }
    file.close();
    if (replacing && !file.setPermissions(QFile::permissions(target))) {
        file.remove();
        return false;
    }
    m_pending.append({file.fileName(), target, path});
    m_folders.insert(folder);
    if (m_pending.size() >= Size)
        commit();
    return true;
}

QStringList FavoritesExportBatch::finish()
{
    if (!m_pending.isEmpty())
        commit();
    if (!m_renamed.isEmpty() && !syncFileSystems(m_renamedFolders.values()))
        m_failed += m_renamed;
    m_renamed.clear();
    return std::exchange(m_failed, {});
}

void FavoritesExportBatch::commit()
{
    // The data first, so that no name ever points at content the disk lacks; the
    // same sync keeps the renames of the batch before.
    if (!syncFileSystems((m_folders | m_renamedFolders).values())) {
        m_failed += std::exchange(m_renamed, {});
        fail(m_pending);
    } else {
        m_renamed.clear();
        for (const Pending &p : std::as_const(m_pending)) {
            if (renameOver(p.temporary, p.target))
                m_renamed.append(p.path);
            else
                fail({p});
        }
    }
    m_renamedFolders = std::exchange(m_folders, {});
    m_pending.clear();
}

void FavoritesExportBatch::fail(const QList<Pending> &pending)
{
    for (const Pending &p : pending) {
        QFile::remove(p.temporary);
        m_failed.append(p.path);
    }
}
