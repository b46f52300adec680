#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

// File and folder names for exported bookmarks: safe to create inside the
// target folder, and distinct within one folder.
class ExportNames
{
public:
    // suffix is appended to every name (".url" for shortcuts, empty for folders).
    explicit ExportNames(const QString &suffix = QString());

    // A name that stays inside its folder, shows there and, with the suffix,
    // fits the file system's 255 bytes: '/' and NUL become '_', the dots a name
    // starts with become one '_' ("" too), and a long name is cut at a
    // character boundary.
    static QString safe(const QString &name, const QString &suffix = QString());

    // The file name (suffix included) for the next entry of this folder called
    // name; a name already handed out gets " (2)", " (3)", ... before the suffix.
    QString unique(const QString &name);

private:
    QString m_suffix;
    QSet<QByteArray> m_taken;
    QHash<QString, int> m_lastNumber;
};
