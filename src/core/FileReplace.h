#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes bytes as the whole new content of path in one rename: a reader sees the
// old file or the new one, and a failure leaves the old one as it was; error then says why.
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Makes everything written so far on the file systems holding these folders durable,
// with one sync of each: for many files far cheaper than waiting for every one.
// False when a folder cannot be opened or the system reports a write it lost.
bool syncFileSystems(const QStringList &folders);

// Removes what a replace killed part way leaves in folder and below: a whole copy
// beside its file, named after it with "." and six letters, as QSaveFile names them.
// Only profile files (.ini, .txt) are looked at, and a copy whose file's lock a
// writer holds is left alone. Returns how many were removed.
int removeLeftoverCopies(const QString &folder);
