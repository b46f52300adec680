#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class IniDocument;

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

    // An empty document when the file does not exist; nullopt when it exists but cannot be read.
    std::optional<IniDocument> read() const;
    // The decoded text, with the same empty text and nullopt as read().
    std::optional<QString> text() const;
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Returns false when the file could not be written; the old file is then untouched.
    bool setValue(const QString &section, const QString &key, const QString &value) const;
    // One transaction: lock, read, change, replace. No other writer of this file,
    // in this process or another, can come in between. False on the failures of setValue.
    bool update(const std::function<void(IniDocument &)> &change) const;

    // Files this process has replaced so far; lets tests and benchmarks count writes.
    static quint64 writes();

    QString path() const { return m_path; }

private:
    bool writeText(const QString &text) const;

    QString m_path;
    QByteArray m_encoding;
    QString m_lineEnd;
};

// The longest prefix of value that fits in the 254 bytes of GBK a profile read returns.
QString cutToProfileLimit(const QString &value);

// Profile files: GBK on disk, CR LF line ends.
QString ReadINI(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue = QString());
void WriteINI(const QString &file, const QString &section, const QString &key, const QString &value);
