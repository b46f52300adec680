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
    // A write holds the lock for milliseconds; a lock older than this was left by a
    // process that hung or died on another host sharing the folder.
    static constexpr int StaleLockMs = 5000;

    // encoding is a codec name such as "GB18030" or "UTF-8"; every file is read and written in it.
    IniFile(const QString &path, const QByteArray &encoding, const QString &lineEnd);

    // Profile files, CR LF: GB18030, which reads every GBK file, unless an editor
    // saved the file as UTF-8 (a byte-order mark, or valid UTF-8 holding Chinese or
    // another character of three bytes or more); such a file stays UTF-8, its mark kept.
    static IniFile profile(const QString &path);

    // An empty document when the file does not exist; nullopt when it exists but cannot be read.
    std::optional<IniDocument> read() const;
    // The decoded text, with the same empty text and nullopt as read().
    std::optional<QString> text() const;
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Returns false when the file could not be written; the old file is then
    // untouched, and error (when given) says why.
    bool setValue(const QString &section, const QString &key, const QString &value, QString *error = nullptr) const;
    // One transaction: lock, read, change, replace. No other writer of this file,
    // in this process or another, can come in between. False on the failures of setValue.
    bool update(const std::function<void(IniDocument &)> &change, QString *error = nullptr) const;
    // The same, but a change that returns false leaves the file as it is (and is no failure).
    // The lock is held while it runs: whatever it checks, no other writer of this file can undo.
    bool updateIf(const std::function<bool(IniDocument &)> &change, QString *error = nullptr) const;

    // Files this process has replaced so far; lets tests and benchmarks count writes.
    static quint64 writes();

    QString path() const { return m_path; }

    // A file's text and the form its bytes had, which a rewrite keeps.
    struct Content
    {
        QString text;
        QByteArray encoding;
        bool bom = false;
    };
    // What a read makes of a file's bytes, and the bytes a write makes of it again;
    // a change goes between them as IniDocument::fromText and toText(lineEnd()).
    Content decode(const QByteArray &bytes) const;
    QByteArray encode(const Content &content) const;
    QString lineEnd() const { return m_lineEnd; }

private:
    std::optional<Content> load() const;
    bool write(const Content &content, QString *error) const;

    QString m_path;
    QByteArray m_encoding;
    QString m_lineEnd;
    bool m_detectUtf8 = false;
};

// The longest prefix of value that fits in the 254 bytes of GB18030 a profile
// read returns, whatever the encoding of the file it came from.
QString cutToProfileLimit(const QString &value);

// Profile files, as IniFile::profile() reads and writes them.
QString ReadINI(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue = QString());
void WriteINI(const QString &file, const QString &section, const QString &key, const QString &value);
