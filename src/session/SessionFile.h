#pragma once

#include "PageEntry.h"

#include <QList>
#include <QString>

// The open windows of a run, kept in a small file of the profile folder so that a run
// that ends without closing can be offered back.
namespace SessionFile {

inline constexpr char Name[] = "session.json";

// The pages the file holds, in window order; none for a missing or damaged file.
QList<PageEntry> read(const QString &path);
// Replaces the file whole: a kill in the middle leaves the old file or the new one.
bool write(const QString &path, const QList<PageEntry> &pages);

} // namespace SessionFile
