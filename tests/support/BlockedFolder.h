#pragma once

#include <QDir>
#include <QFile>

// While it lives, a file stands where the folder was, so nothing can be written
// into it, whoever the process runs as (a read-only folder does not stop root).
// What the folder held comes back afterwards.
class BlockedFolder
{
public:
    explicit BlockedFolder(const QString &folder) : m_folder(folder), m_aside(folder + QStringLiteral(".aside"))
    {
        QDir().mkpath(m_folder);
        QDir().rename(m_folder, m_aside);
        QFile file(m_folder);
        file.open(QIODevice::WriteOnly);
    }
    ~BlockedFolder()
    {
        QFile::remove(m_folder);
        QDir().rename(m_aside, m_folder);
    }
    BlockedFolder(const BlockedFolder &) = delete;
    BlockedFolder &operator=(const BlockedFolder &) = delete;

private:
    QString m_folder;
    QString m_aside;
};
