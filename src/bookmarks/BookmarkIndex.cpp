#include "BookmarkIndex.h"

#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/ProfileKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringDecoder>

namespace {

const QString CategoryEnding = QStringLiteral(".bookmark.txt");

// As a profile read takes the bytes: UTF-8 after a byte-order mark; else UTF-8,
// GB18030 or the GBK code page, each to the last byte. Anything else reads as
// stand-in characters, which a write would keep in place of what was there.
bool decodes(QByteArrayView bytes)
{
    const QByteArrayView bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return bytes.sliced(bom.size()).isValidUtf8();
    if (bytes.isValidUtf8())
        return true;
    // No character in any of them, though the GBK decoder makes it one of private use.
    if (bytes.contains('\xFF'))
        return false;
    for (const char *codec : {"GB18030", "GBK"}) {
        QStringDecoder decoder(codec, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return true;
    }
    return false;
}

// A file that is there, or one by the name the new-category dialog offers since
// deleted (the load skips it); any other name is what is left of a cut line.
bool namesCategoryFile(const QString &path)
{
    return QFileInfo(path).isFile() || path.endsWith(CategoryEnding, Qt::CaseInsensitive);
}

} // namespace

BookmarkIndex::BookmarkIndex(const QString &folder) : m_folder(QDir::cleanPath(folder))
{
    const QString path = m_folder + QStringLiteral("/bookmark.ini");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_damaged = file.exists(); // there, but it cannot be read
        return;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.trimmed().isEmpty())
        return;
    const bool whole = readListing(IniFile::profile(path).text().value_or(QString()));
    m_damaged = !decodes(bytes) || !whole;
}

QString BookmarkIndex::fullPath(const QString &folder, const QString &location)
{
    if (location.isEmpty())
        return folder;
    QString path = location;
    path.replace(u'\\', u'/');
    return path.startsWith(u'/') ? folder + path : folder + u'/' + path;
}

// Whether every entry names a category file. Gaps, empty entries and a count
// its entries do not reach are what the format allows; a name that is neither
// a file here nor one the new-category dialog gives is what is left of a cut line.
bool BookmarkIndex::readListing(const QString &text)
{
    const QHash<QString, QString> listing = IniDocument::fromText(text).section(QStringLiteral("bookmark"));
    QMap<int, QString> entries;
    for (auto it = listing.cbegin(); it != listing.cend(); ++it) {
        if (const int number = ProfileKeys::numberOf(it.key(), u"file"))
            entries.insert(number, cutToProfileLimit(it.value()));
    }
    bool whole = true;
    for (const QString &location : std::as_const(entries)) {
        if (location.isEmpty())
            continue;
        const QString path = fullPath(m_folder, location);
        whole = whole && namesCategoryFile(path);
        keepListed(path);
    }
    return whole;
}

void BookmarkIndex::keepListed(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    if (clean.startsWith(m_folder + u'/') && QFileInfo(clean).isFile() && !m_seen.contains(clean)) {
        m_seen.insert(clean);
        m_listed.append(clean);
    }
}
