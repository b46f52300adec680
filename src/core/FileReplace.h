#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole new content of path in one rename: a reader sees the
// old file or the new one, and a failure leaves the old one as it was; error then says why.
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
