#pragma once

#include <QList>
#include <QSet>
#include <QStringList>

// The shortcut files of one export, made durable together rather than one by one.
// Each is written to a hidden temporary beside its final name. When the batch is
// full, and at the end, one sync puts the temporaries on disk, they are renamed
// into place, and the next sync keeps the renames. A crash or a power cut leaves
// each file as it was or whole, never cut short, and at most one batch of
// temporaries (hidden, not ending in ".url").
class FavoritesExportBatch
{
public:
    // A sync costs about as much as writing a few hundred small files: a few per
    // export, and no more temporaries than this left by a crash.
    static constexpr qsizetype Size = 5000;

    // Writes bytes to a temporary for path, which holds a file when replacing
    // (written through a link to it, its permissions kept). False, with nothing
    // left behind, when that fails.
    bool add(const QString &path, const QByteArray &bytes, bool replacing);
    // Puts the rest in place and makes everything durable. Returns each path that
    // failed after add() took it: its file holds what it held before, or whether
    // the new content reached the disk is not known.
    QStringList finish();

private:
    struct Pending
    {
        QString temporary;
        QString target;
        QString path;
    };

    void commit();
    void fail(const QList<Pending> &pending);

    QList<Pending> m_pending;
    QSet<QString> m_folders; // of m_pending
    QStringList m_renamed;   // in place, durable once the next sync succeeds
    QSet<QString> m_renamedFolders;
    QStringList m_failed;
};
