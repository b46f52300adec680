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
    // Whole copies that a write killed part way left behind are removed first.
    // False when the folder cannot be made.
    bool prepare(const QString &shipped) const;

    // Where file really is, symbolic links resolved; empty when that cannot be told
    // (its folder does not exist, or it is a link to nothing, which a write would
    // follow to wherever it points).
    static QString realPath(const QString &file);
    // The place of a real path inside this folder, as "/sub/name"; empty when it lies elsewhere.
    QString locationOf(const QString &realFile) const;

private:
    bool copyWhenAbsent(const QString &from, const QString &to) const;

    QString m_path;
};
