#pragma once

#include "ExchangeData.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class IniDocument;

struct BookmarkEntry
{
    int number = 0;
    QString name;
    QString address;
};

// One category as its file holds it. Its live entries, in number order, stay in
// the text of the file and are cut out when asked for: a load of thousands of
// bookmarks then costs little more than reading the files.
class BookmarkCategory
{
public:
    // Where an entry lies in the text: its name up to comma, its address after it up to end.
    struct Span {
        int number;
        qsizetype start, comma, end;
    };

    int index = 0;  // its "file N" in the index
    QString path;   // full path of the category file
    QString name;   // display name
    int number = 0; // high-water number

    void setEntries(const QString &text, QList<Span> spans);
    qsizetype size() const { return m_spans.size(); }
    BookmarkEntry entry(qsizetype i) const;
    int entryNumber(qsizetype i) const { return m_spans.at(i).number; }
    QString entryName(qsizetype i) const;
    QString entryAddress(qsizetype i) const;
    QList<BookmarkEntry> entries() const;

private:
    QString m_text;
    QList<Span> m_spans;
};

// The bookmark files of one profile folder: the index bookmark.ini and the
// category files it lists. Nothing is kept between calls, so a change made by
// another running instance shows in the very next read. Category files are
// named by their full path, as categories() and GetBookmarkFile() give it.
class BookmarkStore
{
public:
    explicit BookmarkStore(const QString &profileFolder);

    QString folder() const { return m_folder; }
    QString indexFile() const;

    // The categories a tree shows, in index order, each with its live entries.
    QList<BookmarkCategory> categories() const;
    int fileCount() const;
    // Display name, "," and full path of the index-th listed file, retired or not.
    QString GetBookmarkFile(int index) const;

    int highWater(const QString &categoryFile) const;
    std::optional<BookmarkEntry> entry(const QString &categoryFile, int number) const;

    // An index that exists but cannot be read whole (see BookmarkIndex) is
    // damaged: it is never written over, so nothing it still lists is lost.
    bool indexDamaged() const;
    // Writes a new index listing every named category file found in the profile
    // folder: first those the damaged one lists, in its order, then the rest by
    // name. The damaged one is kept beside it as bookmark.ini.damaged. An index another
    // running copy has rebuilt meanwhile is left as it is.
    bool rebuildIndex();

    // Every change below writes at once. On a failure nothing is changed, and
    // lastError() names the file and says why, until the next change.
    QString lastError() const { return m_error; }

    // Each returns the entry number written, or 0 when the file could not be written.
    int addBookmark(const QString &categoryFile, const QString &name, const QString &address);
    int moveBookmark(const QString &fromFile, int number, const QString &toFile, const QString &name,
                     const QString &address);
    bool writeBookmark(const QString &categoryFile, int oldNumber, int newNumber, const QString &name,
                       const QString &address);
    bool clearBookmark(const QString &categoryFile, int number);
    // An empty name retires the category.
    bool renameCategory(const QString &categoryFile, const QString &name);

    enum class CreateResult { Created, OutsideFolder, LiveFile, NameTaken, Failed };
    CreateResult createCategory(const QString &file, const QString &name);

    struct Imported {
        int added = 0;
        int skipped = 0; // already in the category, same name and address
    };
    // Appends in one write; pairs with an empty name or address are left out, and
    // so are those the category holds already: the same name as stored, the same
    // address in the form browsers give it (percent-encoded, host in lower case).
    Imported appendBookmarks(const QString &categoryFile, const QList<std::pair<QString, QString>> &bookmarks);

    // Appends each category's bookmarks to the shown category of its name; one
    // that is missing is made, its file under bookmarks/ in the profile folder.
    // One write per category file.
    Imported importCategories(const QList<ExchangeCategory> &categories);

private:
    QList<std::pair<int, QString>> listedFiles() const;
    QString fullPath(const QString &location) const;
    bool keepDamaged();
    QStringList rebuiltListing(const QStringList &listed) const;
    bool underIndexLock(const std::function<bool(IniDocument &)> &change);
    bool makeCategoryFile(const QString &realFile, const QString &name);
    bool listedIn(const IniDocument &index, const QString &realFile) const;
    void list(IniDocument &index, const QString &realFile) const;
    std::optional<QString> shownFile(const QString &storedName) const;
    QString categoryFileFor(const QString &name);
    bool change(const QString &file, const std::function<void(IniDocument &)> &edit);
    Imported append(const QString &categoryFile, const QList<std::pair<QString, QString>> &bookmarks);

    QString m_folder;
    QString m_error;
};
