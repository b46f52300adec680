#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// bookmark.ini read as a whole, beyond what a read of its keys shows: bytes that
// decode, and entries that each name a category file. An index that fails is
// damaged: a file cut off mid-line or written over in part would otherwise lose,
// at the next change, what it still lists.
class BookmarkIndex
{
public:
    // The index of the profile folder as it stands now.
    explicit BookmarkIndex(const QString &folder);

    bool damaged() const { return m_damaged; }
    // The files inside the folder that it lists and that are there, as full
    // paths, in its order, each once.
    QStringList listedFiles() const { return m_listed; }

    // A stored location, with "\" or "/", made a path inside folder.
    static QString fullPath(const QString &folder, const QString &location);

private:
    bool readListing(const QString &text);
    void keepListed(const QString &path);

    QString m_folder;
    bool m_damaged = false;
    QStringList m_listed;
    QSet<QString> m_seen;
};
