#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole new content of path in one rename: a reader sees the
// old file or the new one, and a failure leaves the old one as it was; error then says why.
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Removes what a replace killed part way leaves in folder and below: a whole copy
// beside its file, named after it with "." and six letters, as QSaveFile names them.
// Only profile files (.ini, .txt) are looked at, and a copy whose file's lock a
// writer holds is left alone. Returns how many were removed.
int removeLeftoverCopies(const QString &folder);
