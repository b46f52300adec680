#include "BookmarkStore.h"

#include "BookmarkIndex.h"
#include "ExportNames.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/ProfileFolder.h"
#include "core/ProfileKeys.h"
#include "core/FileReplace.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {

const QString IndexSection = QStringLiteral("bookmark");
const QString MainSection = QStringLiteral("main");
const QString EntrySection = QStringLiteral("bookmarks");
const QString FilesKey = QStringLiteral("files");
const QString NameKey = QStringLiteral("chinesename");
const QString NumberKey = QStringLiteral("number");
const QString FilePrefix = QStringLiteral("file");
const QString EntryPrefix = QStringLiteral("bk");

// Nine digits, so the next number cannot overflow. Loads visit only the keys
// that exist, so even this many cannot make them spin.
constexpr int MaxNumber = 999999999;
// The pickers list every index up to "files", existing or not; a corrupt
// count must not turn into millions of items.
constexpr int MaxFiles = 10000;

using ProfileKeys::numbered;
using ProfileKeys::storedTitle;

// Counts that are not a whole number read as 0.
int readNumber(const QString &text)
{
    return ProfileKeys::count(cutToProfileLimit(text), MaxNumber);
}

int readNumber(const IniDocument &doc, const QString &section, const QString &key)
{
    return readNumber(doc.value(section, key).value_or(QString()));
}

template<typename Value>
using Numbered = QList<std::pair<int, Value>>;

// In number order, only the first of a repeated number (the one a lookup
// finds), none above limit.
template<typename Value>
void settle(Numbered<Value> &list, int limit)
{
    const auto byNumber = [](const auto &a, const auto &b) { return a.first < b.first; };
    const auto unordered = [](const auto &a, const auto &b) { return a.first >= b.first; };
    if (std::adjacent_find(list.cbegin(), list.cend(), unordered) != list.cend()) {
        std::stable_sort(list.begin(), list.end(), byNumber);
        const auto same = [](const auto &a, const auto &b) { return a.first == b.first; };
        list.erase(std::unique(list.begin(), list.end(), same), list.end());
    }
    const auto above = std::upper_bound(list.begin(), list.end(), std::pair<int, Value>{limit, {}}, byNumber);
    list.erase(above, list.end());
}

// The keys "prefix 1" .. "prefix limit" of a section, in number order.
Numbered<QString> numberedValues(const QHash<QString, QString> &section, const QString &prefix, int limit)
{
    Numbered<QString> found;
    for (auto it = section.cbegin(); it != section.cend(); ++it) {
        if (const int number = ProfileKeys::numberOf(it.key(), prefix))
            found.append({number, it.value()});
    }
    settle(found, limit);
    return found;
}

std::optional<BookmarkEntry> parseEntry(int number, QStringView line)
{
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    return BookmarkEntry{number, line.left(comma).toString(), line.mid(comma + 1).toString()};
}

// What one pass over a category file finds. The entries are views into its text.
struct CategoryText
{
    QHash<QString, QString> main;
    Numbered<QStringView> entries;
};

// Category files can hold thousands of entries: one pass that keeps views of
// the text, rather than a document of lines, keeps a load near a bare parse.
CategoryText scanCategory(QStringView text)
{
    CategoryText found;
    QStringView current;
    bool entries = false;
    IniDocument::scan(text, [&](QStringView section, QStringView key, QStringView value) {
        // The same header for thousands of lines: compare its name once.
        if (section.data() != current.data() || section.size() != current.size()) {
            current = section;
            entries = section.compare(EntrySection, Qt::CaseInsensitive) == 0;
        }
        if (entries) {
            if (const int number = ProfileKeys::numberOf(key, EntryPrefix))
                found.entries.append({number, value});
        } else if (section.compare(MainSection, Qt::CaseInsensitive) == 0) {
            const QString folded = key.toString().toCaseFolded();
            if (!found.main.contains(folded))
                found.main.insert(folded, value.toString());
        }
    });
    return found;
}

// The entries 1 .. number that hold a name and an address, as places in text.
QList<BookmarkCategory::Span> entrySpans(const QString &text, Numbered<QStringView> &lines, int number)
{
    settle(lines, number);
    QList<BookmarkCategory::Span> spans;
    spans.reserve(lines.size());
    for (const auto &[n, line] : std::as_const(lines)) {
        const qsizetype comma = line.indexOf(u',');
        if (comma < 0)
            continue;
        const qsizetype start = line.data() - text.constData();
        spans.append({n, start, start + comma, start + line.size()});
    }
    return spans;
}

// Nullopt for a retired, missing or unreadable category.
std::optional<BookmarkCategory> readCategory(int index, const QString &path)
{
    const auto text = IniFile::profile(path).text();
    if (!text)
        return std::nullopt;
    CategoryText found = scanCategory(*text);
    const QString name = cutToProfileLimit(found.main.value(NameKey));
    const QString number = cutToProfileLimit(found.main.value(NumberKey));
    if (name.isEmpty() || number.isEmpty())
        return std::nullopt;
    BookmarkCategory category;
    category.index = index;
    category.path = path;
    category.name = name;
    category.number = readNumber(number);
    category.setEntries(*text, entrySpans(*text, found.entries, category.number));
    return category;
}

QString entryText(const QString &name, const QString &address)
{
    return storedTitle(name) + u',' + address;
}

QString readName(const QString &path)
{
    return cutToProfileLimit(IniFile::profile(path).value(MainSection, NameKey).value_or(QString()));
}

// Where a browser leaves out the port, or adds the "/" of an empty path.
int defaultPort(const QString &scheme)
{
    static const QHash<QString, int> ports{{QStringLiteral("http"), 80}, {QStringLiteral("https"), 443},
                                           {QStringLiteral("ftp"), 21}};
    return ports.value(scheme, -1);
}

// An address in the one form browsers give it, so that one which comes back
// percent-encoded, with its host in capitals or as punycode, is the same.
QString addressForm(const QString &address)
{
    QUrl url(address);
    if (!url.isValid())
        return address;
    const int port = defaultPort(url.scheme());
    if (port > 0 && url.port() == port)
        url.setPort(-1);
    if (port > 0 && url.path().isEmpty())
        url.setPath(QStringLiteral("/"));
    return url.toString(QUrl::FullyEncoded);
}

// A stored line as a read gives it back: its name as stored, its address in that one form.
QString importKey(const QString &line)
{
    const QString read = cutToProfileLimit(line);
    const qsizetype comma = read.indexOf(u',');
    return comma < 0 ? read : read.left(comma + 1) + addressForm(read.mid(comma + 1));
}

} // namespace

void BookmarkCategory::setEntries(const QString &text, QList<Span> spans)
{
    m_text = text;
    m_spans = std::move(spans);
}

QString BookmarkCategory::entryName(qsizetype i) const
{
    const Span &span = m_spans.at(i);
    return m_text.mid(span.start, span.comma - span.start);
}

QString BookmarkCategory::entryAddress(qsizetype i) const
{
    const Span &span = m_spans.at(i);
    return m_text.mid(span.comma + 1, span.end - span.comma - 1);
}

BookmarkEntry BookmarkCategory::entry(qsizetype i) const { return {entryNumber(i), entryName(i), entryAddress(i)}; }

QList<BookmarkEntry> BookmarkCategory::entries() const
{
    QList<BookmarkEntry> all;
    all.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        all.append(entry(i));
    return all;
}

BookmarkStore::BookmarkStore(const QString &profileFolder) : m_folder(QDir::cleanPath(profileFolder))
{
}

QString BookmarkStore::indexFile() const
{
    return m_folder + QStringLiteral("/bookmark.ini");
}

QList<BookmarkCategory> BookmarkStore::categories() const
{
    QList<BookmarkCategory> shown;
    QSet<QString> names;
    for (const auto &[index, location] : listedFiles()) {
        if (location.isEmpty())
            continue;
        auto category = readCategory(index, fullPath(location));
        // Two nodes cannot share a name: the first one stays.
        if (!category || names.contains(category->name))
            continue;
        names.insert(category->name);
        shown.append(std::move(*category));
    }
    return shown;
}

int BookmarkStore::fileCount() const
{
    return qMin(readNumber(ReadINI(indexFile(), IndexSection, FilesKey)), MaxFiles);
}

QString BookmarkStore::GetBookmarkFile(int index) const
{
    const QString path = fullPath(ReadINI(indexFile(), IndexSection, numbered(FilePrefix, index)));
    return readName(path) + u',' + path;
}

int BookmarkStore::highWater(const QString &categoryFile) const
{
    return readNumber(ReadINI(categoryFile, MainSection, NumberKey));
}

std::optional<BookmarkEntry> BookmarkStore::entry(const QString &categoryFile, int number) const
{
    const auto line = IniFile::profile(categoryFile).value(EntrySection, numbered(EntryPrefix, number));
    return line ? parseEntry(number, *line) : std::nullopt;
}

bool BookmarkStore::indexDamaged() const
{
    return BookmarkIndex(m_folder).damaged();
}

// Under the index's lock from the first look to the write: another running copy may
// have rebuilt it meanwhile and listed new categories since, which a listing made
// before would drop, and the damaged copy kept beside it must stay the damaged one.
bool BookmarkStore::rebuildIndex()
{
    m_error.clear();
    QString why;
    const bool written = IniFile::profile(indexFile()).updateIf(
        [&](IniDocument &doc) {
            const BookmarkIndex index(m_folder);
            if (!index.damaged() || !keepDamaged())
                return false;
            const QStringList locations = rebuiltListing(index.listedFiles());
            doc = IniDocument();
            doc.setValue(IndexSection, FilesKey, QString::number(locations.size()));
            for (int i = 0; i < locations.size(); ++i)
                doc.setValue(IndexSection, numbered(FilePrefix, i + 1), locations.at(i));
            return true;
        },
        &why);
    if (!written)
        m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(indexFile()), why);
    return m_error.isEmpty();
}

bool BookmarkStore::keepDamaged()
{
    const QString copy = indexFile() + QStringLiteral(".damaged");
    QFile damaged(indexFile());
    QString why;
    if (!damaged.open(QIODevice::ReadOnly) || replaceFile(copy, damaged.readAll(), &why))
        return true;
    m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(copy), why);
    return false;
}

// The files in the order the damaged index gave, as far as it can be read, then the rest by name.
QStringList BookmarkStore::rebuiltListing(const QStringList &listed) const
{
    QStringList found;
    QDirIterator it(m_folder, {QStringLiteral("*.bookmark.txt")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    std::sort(found.begin(), found.end());
    QStringList locations;
    QSet<QString> taken;
    for (const QString &path : listed + found) {
        if (taken.contains(path) || readName(path).isEmpty())
            continue;
        taken.insert(path);
        locations.append(path.mid(m_folder.size()).replace(u'/', u'\\'));
    }
    return locations;
}

// One transaction on one file; a failure is kept for lastError().
bool BookmarkStore::change(const QString &file, const std::function<void(IniDocument &)> &edit)
{
    QString why;
    if (IniFile::profile(file).update(edit, &why))
        return true;
    m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(file), why);
    return false;
}

int BookmarkStore::addBookmark(const QString &categoryFile, const QString &name, const QString &address)
{
    m_error.clear();
    int number = 0;
    QString why;
    // Past the last number an entry would be written that no read finds again.
    const bool written = IniFile::profile(categoryFile).updateIf([&](IniDocument &doc) {
        number = readNumber(doc, MainSection, NumberKey) + 1;
        if (number > MaxNumber) {
            why = QStringLiteral("此分类的书签编号已经用完");
            return false;
        }
        doc.setValue(EntrySection, numbered(EntryPrefix, number), entryText(name, address));
        doc.setValue(MainSection, NumberKey, u' ' + QString::number(number));
        return true;
    }, &why);
    if (written && why.isEmpty())
        return number;
    m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(categoryFile), why);
    return 0;
}

bool BookmarkStore::writeBookmark(const QString &categoryFile, int oldNumber, int newNumber, const QString &name,
                                  const QString &address)
{
    m_error.clear();
    return change(categoryFile, [&](IniDocument &doc) {
        doc.setValue(EntrySection, numbered(EntryPrefix, oldNumber), QString());
        doc.setValue(EntrySection, numbered(EntryPrefix, newNumber), entryText(name, address));
        if (newNumber > readNumber(doc, MainSection, NumberKey))
            doc.setValue(MainSection, NumberKey, QString::number(newNumber));
    });
}

int BookmarkStore::moveBookmark(const QString &fromFile, int number, const QString &toFile, const QString &name,
                                const QString &address)
{
    m_error.clear();
    const QString line = name.isEmpty() && address.isEmpty() ? QString() : entryText(name, address);
    int added = 0;
    const bool written = change(toFile, [&](IniDocument &doc) {
        added = readNumber(doc, MainSection, NumberKey) + 1;
        doc.setValue(EntrySection, numbered(EntryPrefix, added), line);
        doc.setValue(MainSection, NumberKey, QString::number(added));
    });
    // Only once the bookmark has its new place may the old one go.
    if (!written || !clearBookmark(fromFile, number))
        return 0;
    return added;
}

bool BookmarkStore::clearBookmark(const QString &categoryFile, int number)
{
    m_error.clear();
    return change(categoryFile,
                  [&](IniDocument &doc) { doc.setValue(EntrySection, numbered(EntryPrefix, number), QString()); });
}

bool BookmarkStore::renameCategory(const QString &categoryFile, const QString &name)
{
    m_error.clear();
    return change(categoryFile, [&](IniDocument &doc) { doc.setValue(MainSection, NameKey, storedTitle(name)); });
}

BookmarkStore::CreateResult BookmarkStore::createCategory(const QString &file, const QString &name)
{
    m_error.clear();
    const QString real = ProfileFolder::realPath(file);
    if (ProfileFolder(m_folder).locationOf(real).isEmpty())
        return CreateResult::OutsideFolder;
    if (real == ProfileFolder::realPath(indexFile()))
        return CreateResult::LiveFile;
    CreateResult result = CreateResult::Failed;
    const bool written = underIndexLock([&](IniDocument &index) {
        const QString shownAs = cutToProfileLimit(storedTitle(name));
        if (shownFile(shownAs).has_value())
            result = CreateResult::NameTaken;
        // A file that is there, or listed, may hold bookmarks nobody sees: never taken over.
        else if (listedIn(index, real) || QFileInfo::exists(real))
            result = CreateResult::LiveFile;
        else if (makeCategoryFile(real, name))
            result = CreateResult::Created;
        else if (QFileInfo::exists(real))
            result = CreateResult::LiveFile;
        if (result != CreateResult::Created)
            return false;
        list(index, real);
        return true;
    });
    if (result == CreateResult::Created && !written) {
        QFile::remove(real);
        return CreateResult::Failed;
    }
    return result;
}

// Runs change on the index under its lock, from the checks to the listing, so that
// another running copy can neither list the same file nor reset it in between.
bool BookmarkStore::underIndexLock(const std::function<bool(IniDocument &)> &change)
{
    QString why;
    const bool written = IniFile::profile(indexFile()).updateIf(
        [&](IniDocument &index) {
            if (!BookmarkIndex(m_folder).damaged())
                return change(index);
            why = QStringLiteral("书签索引已损坏");
            return false;
        },
        &why);
    if (!why.isEmpty())
        m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(indexFile()), why);
    return written && why.isEmpty();
}

// Made exclusively, so an existing file (or a link planted by that name) is never
// reset, then named in one replace: a category with "number" 0.
bool BookmarkStore::makeCategoryFile(const QString &realFile, const QString &name)
{
    QFile claim(realFile);
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(realFile), claim.errorString());
        return false;
    }
    claim.close();
    if (change(realFile, [&](IniDocument &doc) {
            doc.setValue(MainSection, NameKey, storedTitle(name));
            doc.setValue(MainSection, NumberKey, QStringLiteral("0"));
        }))
        return true;
    QFile::remove(realFile);
    return false;
}

bool BookmarkStore::listedIn(const IniDocument &index, const QString &realFile) const
{
    const QHash<QString, QString> listing = index.section(IndexSection);
    for (auto it = listing.cbegin(); it != listing.cend(); ++it) {
        const QString location = cutToProfileLimit(it.value());
        if (ProfileKeys::numberOf(it.key(), FilePrefix) && !location.isEmpty()
            && ProfileFolder::realPath(fullPath(location)) == realFile)
            return true;
    }
    return false;
}

void BookmarkStore::list(IniDocument &index, const QString &realFile) const
{
    const QString location = ProfileFolder(m_folder).locationOf(realFile);
    const int files = readNumber(index, IndexSection, FilesKey) + 1;
    index.setValue(IndexSection, FilesKey, u' ' + QString::number(files));
    index.setValue(IndexSection, numbered(FilePrefix, files), QString(location).replace(u'/', u'\\'));
}

std::optional<QString> BookmarkStore::shownFile(const QString &storedName) const
{
    for (const BookmarkCategory &category : categories()) {
        if (category.name == storedName)
            return category.path;
    }
    return std::nullopt;
}

// The shown category of name, or a new one under bookmarks/; empty when none can be made.
QString BookmarkStore::categoryFileFor(const QString &name)
{
    const QString folder = m_folder + QStringLiteral("/bookmarks");
    if (!QDir().mkpath(folder))
        return QString();
    const QString ending = QStringLiteral(".bookmark.txt");
    QString file, made;
    const bool written = underIndexLock([&](IniDocument &index) {
        // Another running copy may have made it since this import looked.
        if (const auto shown = shownFile(cutToProfileLimit(storedTitle(name)))) {
            file = *shown;
            return false;
        }
        for (int n = 1; n < 1000 && file.isEmpty(); ++n) {
            const QString tail = n == 1 ? ending : QStringLiteral(" (%1)").arg(n) + ending;
            const QString path = folder + u'/' + ExportNames::safe(name, tail) + tail;
            const QString real = ProfileFolder::realPath(path);
            if (real.isEmpty() || listedIn(index, real) || QFileInfo::exists(real))
                continue;
            if (!makeCategoryFile(real, name))
                return false;
            list(index, real);
            made = real;
            file = path;
        }
        return !file.isEmpty();
    });
    if (written)
        return file;
    if (!made.isEmpty())
        QFile::remove(made);
    return QString();
}

BookmarkStore::Imported BookmarkStore::appendBookmarks(const QString &categoryFile,
                                                       const QList<std::pair<QString, QString>> &bookmarks)
{
    m_error.clear();
    return append(categoryFile, bookmarks);
}

BookmarkStore::Imported BookmarkStore::append(const QString &categoryFile,
                                              const QList<std::pair<QString, QString>> &bookmarks)
{
    Imported result;
    QStringList lines;
    for (const auto &[name, address] : bookmarks) {
        if (!name.trimmed().isEmpty() && !address.trimmed().isEmpty())
            lines.append(entryText(name, address));
    }
    if (lines.isEmpty())
        return result;
    const bool written = change(categoryFile, [&](IniDocument &doc) {
        result = Imported();
        int number = readNumber(doc, MainSection, NumberKey);
        // What a read of this category gives back, so an import done twice adds nothing.
        QSet<QString> held;
        for (const auto &[n, line] : numberedValues(doc.section(EntrySection), EntryPrefix, number))
            held.insert(importKey(line));
        for (const QString &line : std::as_const(lines)) {
            const QString read = importKey(line);
            if (held.contains(read)) {
                ++result.skipped;
                continue;
            }
            held.insert(read);
            doc.setValue(EntrySection, numbered(EntryPrefix, ++number), line);
            ++result.added;
        }
        if (result.added)
            doc.setValue(MainSection, NumberKey, QString::number(number));
    });
    return written ? result : Imported();
}

BookmarkStore::Imported BookmarkStore::importCategories(const QList<ExchangeCategory> &categories)
{
    m_error.clear();
    QHash<QString, QString> shown;
    for (const BookmarkCategory &category : this->categories())
        shown.insert(category.name, category.path);
    Imported total;
    for (const ExchangeCategory &category : categories) {
        const QString name = cutToProfileLimit(storedTitle(category.name));
        QString file = shown.value(name);
        if (file.isEmpty() && !(file = categoryFileFor(category.name)).isEmpty())
            shown.insert(name, file);
        if (file.isEmpty())
            continue;
        QList<std::pair<QString, QString>> bookmarks;
        bookmarks.reserve(category.bookmarks.size());
        for (const ExchangeBookmark &bookmark : category.bookmarks)
            bookmarks.append({bookmark.name, bookmark.address});
        const Imported added = append(file, bookmarks);
        total.added += added.added;
        total.skipped += added.skipped;
    }
    return total;
}

// Every "file N" of the index up to "files", in number order, read in one pass.
QList<std::pair<int, QString>> BookmarkStore::listedFiles() const
{
    const auto index = IniFile::profile(indexFile()).read().value_or(IniDocument());
    const QHash<QString, QString> listing = index.section(IndexSection);
    Numbered<QString> files = numberedValues(listing, FilePrefix, qMin(readNumber(listing.value(FilesKey)), MaxFiles));
    for (auto &file : files)
        file.second = cutToProfileLimit(file.second);
    return files;
}

QString BookmarkStore::fullPath(const QString &location) const
{
    return BookmarkIndex::fullPath(m_folder, location);
}
