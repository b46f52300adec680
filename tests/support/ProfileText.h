#pragma once

#include <QString>
#include <QStringList>

// Writes lines as a profile file does: GB18030, each line ending in CR LF. Makes the
// folder when needed; false when the file could not be written.
bool writeProfileLines(const QString &path, const QStringList &lines);
