#include "IniFile.h"

#include "FileReplace.h"
#include "IniDocument.h"
#include "Logging.h"

#include <QFile>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <atomic>

namespace {

constexpr qsizetype MaxValueBytes = 254;
// A write holds the lock for milliseconds; a lock older than this was left by a
// process that hung or died on another host sharing the folder.
constexpr int StaleLockMs = 5000;
constexpr int LockWaitMs = 10000;

const QByteArray Gbk = QByteArrayLiteral("GBK");

std::atomic<quint64> replacedFiles = 0;

qsizetype gbkBytes(QStringView text)
{
    QStringEncoder encoder(Gbk.constData());
    const QByteArray bytes = encoder.encode(text);
    return bytes.size();
}

} // namespace

// A character that would straddle the limit is left out whole.
QString cutToProfileLimit(const QString &value)
{
    if (value.size() * 2 <= MaxValueBytes || gbkBytes(value) <= MaxValueBytes)
        return value;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype width = value.at(i).isHighSurrogate() && i + 1 < value.size() ? 2 : 1;
        const qsizetype bytes = value.at(i).unicode() < 0x80 ? 1 : gbkBytes(QStringView(value).mid(i, width));
        if (used + bytes > MaxValueBytes)
            break;
        used += bytes;
        i += width;
    }
    return value.left(i);
}

IniFile::IniFile(const QString &path, const QByteArray &encoding, const QString &lineEnd)
    : m_path(path), m_encoding(encoding), m_lineEnd(lineEnd)
{
}

IniFile IniFile::profile(const QString &path)
{
    return IniFile(path, Gbk, QStringLiteral("\r\n"));
}

std::optional<IniDocument> IniFile::read() const
{
    const auto content = text();
    if (!content)
        return std::nullopt;
    return IniDocument::fromText(*content);
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto doc = read();
    if (!doc)
        return std::nullopt;
    return doc->value(section, key);
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value) const
{
    return update([&](IniDocument &doc) { doc.setValue(section, key, value); });
}

bool IniFile::update(const std::function<void(IniDocument &)> &change) const
{
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    // Read under the lock, or a concurrent writer's change would be lost.
    std::optional<IniDocument> doc;
    if (lock.tryLock(LockWaitMs))
        doc = read();
    if (doc) {
        change(*doc);
        if (writeText(doc->toText(m_lineEnd)))
            return true;
    }
    qCWarning(lcProfile) << "cannot write" << m_path;
    return false;
}

quint64 IniFile::writes()
{
    return replacedFiles;
}

// The empty text for a file that does not exist yet; nullopt when it exists but
// cannot be read, so that a write never replaces a file it could not see.
std::optional<QString> IniFile::text() const
{
    QFile file(m_path);
    // Open first: a load opens every bookmark file, and most of them exist.
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? std::nullopt : std::optional<QString>(QString());
    QStringDecoder decoder(m_encoding.constData());
    return QString(decoder.decode(file.readAll()));
}

bool IniFile::writeText(const QString &text) const
{
    QStringEncoder encoder(m_encoding.constData());
    if (!replaceFile(m_path, encoder.encode(text)))
        return false;
    ++replacedFiles;
    return true;
}

QString ReadINI(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    const auto value = IniFile::profile(file).value(section, key);
    if (!value)
        return defaultValue;
    return cutToProfileLimit(*value);
}

void WriteINI(const QString &file, const QString &section, const QString &key, const QString &value)
{
    // Failures are deliberately silent: the old file stays as it was.
    IniFile::profile(file).setValue(section, key, value);
}
