#include "IniFile.h"

#include "FileReplace.h"
#include "IniDocument.h"
#include "Logging.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QThread>

#include <algorithm>
#include <atomic>

namespace {

constexpr qsizetype MaxValueBytes = 254;

const QByteArray Gb18030 = QByteArrayLiteral("GB18030");
const QByteArray Utf8 = QByteArrayLiteral("UTF-8");
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

std::atomic<quint64> replacedFiles = 0;

// No character takes more than four bytes of GB18030, and a surrogate pair takes four.
qsizetype bytesAtMost(QStringView text)
{
    qsizetype bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : c.isSurrogate() ? 2 : 4;
    return bytes;
}

qsizetype asciiPrefix(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && uchar(bytes[i]) < 0x80)
        ++i;
    return i;
}

// Text past the ASCII prefix that an editor saved as UTF-8. A common GBK character
// alone is valid UTF-8 nearly one time in five (D6 B5 is "值" and a Hebrew point),
// but Chinese, or any character above U+07FF, takes three bytes or four there,
// which GBK text almost never forms.
bool savedAsUtf8(QByteArrayView rest)
{
    return rest.isValidUtf8() && std::any_of(rest.begin(), rest.end(), [](char c) { return uchar(c) >= 0xE0; });
}

// The Windows code page has a few single bytes GB18030 lacks (0x80 is the euro
// sign there): a file with them reads as it always did, and is written in GB18030.
QString fromGb18030(const QByteArray &bytes)
{
    QStringDecoder decoder(Gb18030.constData());
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    QStringDecoder gbk("GBK");
    QString windows = gbk.decode(bytes);
    return gbk.hasError() ? text : windows;
}

// The GUI thread must not freeze behind another writer, so it gives up soon; a
// worker thread can wait longer.
int lockWaitMs()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() != app->thread() ? 10000 : 2000;
}

// A writer killed between making its lock file and writing its name into it leaves
// the file empty, which QLockFile takes for stale only after the stale time. No live
// process holds the kernel lock of such a file (QLockFile takes it once the name is
// written), so removeStaleLockFile() may take it away at once; the age only spares a
// writer in the moment between the two.
void breakAbandoned(QLockFile &lock, const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && info.size() == 0 && info.lastModified().msecsTo(QDateTime::currentDateTime()) > 200)
        lock.removeStaleLockFile();
}

// QLockFile's own wait doubles its sleep up to seconds, so a writer that comes back
// at once (an import, another copy adding in a loop) keeps the lock from a waiter for
// good. Short, uneven sleeps give the waiter its turn; there is no signal to wait on.
bool acquire(QLockFile &lock, const QString &path, int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        breakAbandoned(lock, path);
        QThread::usleep(500 + QRandomGenerator::global()->bounded(1500));
    }
    return true;
}

QString lockRefusal(QLockFile::LockError error, int waitedMs)
{
    if (error == QLockFile::LockFailedError)
        return QStringLiteral("另一个程序正在写入此文件，等了 %1 秒仍未写完").arg(waitedMs / 1000);
    return error == QLockFile::PermissionError ? QStringLiteral("没有写入此文件夹的权限")
                                               : QStringLiteral("无法写入此文件夹");
}

} // namespace

// A character that would straddle the limit is left out whole.
QString cutToProfileLimit(const QString &value)
{
    if (bytesAtMost(value) <= MaxValueBytes)
        return value;
    QStringEncoder encoder(Gb18030.constData(), QStringEncoder::Flag::Stateless);
    if (QByteArray(encoder.encode(value)).size() <= MaxValueBytes)
        return value;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const QChar c = value.at(i);
        const qsizetype width = c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate() ? 2 : 1;
        // A pair takes four bytes; so much covers what stands in for a surrogate alone.
        qsizetype bytes = width == 2 || c.isSurrogate() ? 4 : 1;
        if (!c.isSurrogate() && c.unicode() >= 0x80)
            bytes = QByteArray(encoder.encode(QStringView(value).mid(i, 1))).size();
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
    IniFile file(path, Gb18030, QStringLiteral("\r\n"));
    file.m_detectUtf8 = true;
    return file;
}

std::optional<IniDocument> IniFile::read() const
{
    const auto content = load();
    if (!content)
        return std::nullopt;
    return IniDocument::fromText(content->text);
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto doc = read();
    if (!doc)
        return std::nullopt;
    return doc->value(section, key);
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value, QString *error) const
{
    return update([&](IniDocument &doc) { doc.setValue(section, key, value); }, error);
}

bool IniFile::update(const std::function<void(IniDocument &)> &change, QString *error) const
{
    return updateIf(
        [&](IniDocument &doc) {
            change(doc);
            return true;
        },
        error);
}

bool IniFile::updateIf(const std::function<bool(IniDocument &)> &change, QString *error) const
{
    QString why;
    const QString lockPath = m_path + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    lock.setStaleLockTime(IniFile::StaleLockMs);
    // Read under the lock, or a concurrent writer's change would be lost.
    std::optional<Content> content;
    // A NUL ends a name on disk: one read from a damaged file names no file, and a lock
    // by it is never taken (QLockFile then spins, taking memory without bound).
    if (m_path.contains(QChar(0)))
        why = QStringLiteral("文件名无效");
    else if (const int waitMs = lockWaitMs(); !acquire(lock, lockPath, waitMs))
        why = lockRefusal(lock.error(), waitMs);
    else if (!(content = load()))
        why = QStringLiteral("无法读取此文件");
    if (content) {
        IniDocument doc = IniDocument::fromText(content->text);
        if (!change(doc))
            return true;
        content->text = doc.toText(m_lineEnd);
        if (write(*content, &why))
            return true;
    }
    qCWarning(lcProfile) << "cannot write" << m_path << why;
    if (error)
        *error = why;
    return false;
}

quint64 IniFile::writes()
{
    return replacedFiles;
}

std::optional<QString> IniFile::text() const
{
    auto content = load();
    if (!content)
        return std::nullopt;
    return std::move(content->text);
}

// The empty text for a file that does not exist yet; nullopt when it exists but
// cannot be read, so that a write never replaces a file it could not see.
std::optional<IniFile::Content> IniFile::load() const
{
    QFile file(m_path);
    // Open first: a load opens every bookmark file, and most of them exist.
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? std::nullopt : std::optional<Content>(Content{QString(), m_encoding});
    return decode(file.readAll());
}

IniFile::Content IniFile::decode(const QByteArray &bytes) const
{
    if (!m_detectUtf8)
        return Content{QStringDecoder(m_encoding.constData()).decode(bytes), m_encoding};
    if (bytes.startsWith(Bom))
        return Content{QString::fromUtf8(QByteArrayView(bytes).sliced(Bom.size())), Utf8, true};
    const qsizetype ascii = asciiPrefix(bytes);
    if (ascii == bytes.size())
        return Content{QString::fromLatin1(bytes), Gb18030};
    if (savedAsUtf8(QByteArrayView(bytes).sliced(ascii)))
        return Content{QString::fromUtf8(bytes), Utf8};
    return Content{fromGb18030(bytes), Gb18030};
}

QByteArray IniFile::encode(const Content &content) const
{
    QStringEncoder encoder(content.encoding.constData());
    const QByteArray bytes = encoder.encode(content.text);
    if (!m_detectUtf8)
        return content.bom ? Bom + bytes : bytes;
    const qsizetype ascii = asciiPrefix(bytes);
    const bool readsAsUtf8 = savedAsUtf8(QByteArrayView(bytes).sliced(ascii));
    // GB18030 bytes that happen to make UTF-8 with a character of three bytes would read
    // as UTF-8 next time, every value changed: such a text is written as marked UTF-8.
    if (content.encoding != Utf8 && readsAsUtf8)
        return Bom + content.text.toUtf8();
    // UTF-8 that lost its last character of three bytes would read as GB18030 next time,
    // its other characters changed: the mark keeps it UTF-8.
    const bool bom = content.bom || (content.encoding == Utf8 && ascii < bytes.size() && !readsAsUtf8);
    return bom ? Bom + bytes : bytes;
}

bool IniFile::write(const Content &content, QString *error) const
{
    if (!replaceFile(m_path, encode(content), error))
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
