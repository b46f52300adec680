#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The Internet-shortcut files (".url") of one folder, as the file system names
// them. An archive made on Windows leaves names in GBK bytes, which are not
// UTF-8: Qt's own listings skip such files, and no QString path reaches them.
namespace ShortcutFolder {

struct File
{
    QString name;    // for showing: UTF-8, else read as GBK
    QByteArray path; // for opening: the bytes the file system holds
    qint64 added = 0; // seconds since the epoch: creation where known, else last change
};

// Sorted by name; sub-folders and other files are left out.
QList<File> list(const QString &folder);
// The file's content; nullopt when it cannot be read.
std::optional<QByteArray> read(const QByteArray &path);

} // namespace ShortcutFolder
