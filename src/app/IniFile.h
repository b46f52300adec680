#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// One INI file on disk. Reads open, read and close the file each time; writes
// are read-modify-write under a lock file shared by every running instance and
// replace the file in one rename, so a crash or a second instance never leaves
// a truncated file behind.
class IniFile
{
public:
    // encoding is a codec name such as "GBK" or "UTF-8".
    IniFile(const QString &path, const QByteArray &encoding, const QString &lineEnd);

    // Profile files of the program folder: GBK with CR LF.
    static IniFile profile(const QString &path);

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Returns false when the file could not be written; the old file is then untouched.
    bool setValue(const QString &section, const QString &key, const QString &value) const;

    QString path() const { return m_path; }

private:
    std::optional<QString> readText() const;
    bool writeText(const QString &text) const;

    QString m_path;
    QByteArray m_encoding;
    QString m_lineEnd;
};

// Profile files: GBK on disk, CR LF line ends.
QString ReadINI(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue = QString());
void WriteINI(const QString &file, const QString &section, const QString &key, const QString &value);
