#pragma once

#include <QString>

// The per-user folder where profile files are read and written. The program's own
// folder may be read-only (an installed copy) and a rebuild replaces it, so the
// profile files that ship there are only the first contents of this folder.
class ProfileFolder
{
public:
    // $XDG_DATA_HOME/Vantorel/profile
    static QString defaultPath();

    explicit ProfileFolder(const QString &path = defaultPath());

    QString path() const { return m_path; }
    QString file(const QString &name) const;
    // Makes the folder, for the user alone, and copies into it every file under
    // shipped that it does not hold yet; a file that is here is never overwritten.
    // False when the folder cannot be made.
    bool prepare(const QString &shipped) const;

private:
    bool copyWhenAbsent(const QString &from, const QString &to) const;

    QString m_path;
};
