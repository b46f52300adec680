#include "IniFile.h"

#include "IniDocument.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr qsizetype MaxValueBytes = 254;
// A write holds the lock for milliseconds; a lock older than this was left by a
// process that hung or died on another host sharing the folder.
constexpr int StaleLockMs = 5000;
constexpr int LockWaitMs = 10000;

const QByteArray Gbk = QByteArrayLiteral("GBK");

qsizetype gbkBytes(QStringView text)
{
    QStringEncoder encoder(Gbk.constData());
    const QByteArray bytes = encoder.encode(text);
    return bytes.size();
}

// The longest prefix that fits into maxBytes of GBK; a character that would
// straddle the limit is left out whole.
QString cutToBytes(const QString &value, qsizetype maxBytes)
{
    if (value.size() * 2 <= maxBytes || gbkBytes(value) <= maxBytes)
        return value;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype width = value.at(i).isHighSurrogate() && i + 1 < value.size() ? 2 : 1;
        const qsizetype bytes = value.at(i).unicode() < 0x80 ? 1 : gbkBytes(QStringView(value).mid(i, width));
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += width;
    }
    return value.left(i);
}

} // namespace

IniFile::IniFile(const QString &path, const QByteArray &encoding, const QString &lineEnd)
    : m_path(path), m_encoding(encoding), m_lineEnd(lineEnd)
{
}

IniFile IniFile::profile(const QString &path)
{
    return IniFile(path, Gbk, QStringLiteral("\r\n"));
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto text = readText();
    if (!text)
        return std::nullopt;
    return IniDocument::fromText(*text).value(section, key);
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value) const
{
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs))
        return false;
    // Read under the lock, or a concurrent writer's change would be lost.
    const auto text = readText();
    if (!text)
        return false;
    IniDocument doc = IniDocument::fromText(*text);
    doc.setValue(section, key, value);
    return writeText(doc.toText(m_lineEnd));
}

// The empty text for a file that does not exist yet; nullopt when it exists but
// cannot be read, so that a write never replaces a file it could not see.
std::optional<QString> IniFile::readText() const
{
    QFile file(m_path);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringDecoder decoder(m_encoding.constData());
    return QString(decoder.decode(file.readAll()));
}

bool IniFile::writeText(const QString &text) const
{
    QStringEncoder encoder(m_encoding.constData());
    const QByteArray bytes = encoder.encode(text);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString ReadINI(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    const auto value = IniFile::profile(file).value(section, key);
    if (!value)
        return defaultValue;
    return cutToBytes(*value, MaxValueBytes);
}

void WriteINI(const QString &file, const QString &section, const QString &key, const QString &value)
{
    // Failures are deliberately silent: the old file stays as it was.
    IniFile::profile(file).setValue(section, key, value);
}
