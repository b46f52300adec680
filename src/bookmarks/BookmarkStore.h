#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

struct BookmarkEntry
{
    int number = 0;
    QString name;
    QString address;
};

struct BookmarkCategory
{
    int index = 0;  // its "file N" in the index
    QString path;   // full path of the category file
    QString name;   // display name
    int number = 0; // high-water number
    QList<BookmarkEntry> entries;
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
    QStringList categoryEntries() const;

    int highWater(const QString &categoryFile) const;
    std::optional<BookmarkEntry> entry(const QString &categoryFile, int number) const;

    // Each returns the entry number written, or 0 when the file could not be written.
    int addBookmark(const QString &categoryFile, const QString &name, const QString &address);
    int moveBookmark(const QString &fromFile, int number, const QString &toFile, const QString &name,
                     const QString &address);
    void writeBookmark(const QString &categoryFile, int oldNumber, int newNumber, const QString &name,
                       const QString &address);
    void clearBookmark(const QString &categoryFile, int number);
    // An empty name retires the category.
    void renameCategory(const QString &categoryFile, const QString &name);

    enum class CreateResult { Created, OutsideFolder, LiveFile, NameTaken, Failed };
    CreateResult createCategory(const QString &file, const QString &name);
    // Appends in one write; pairs with an empty name or address are left out.
    // Returns how many were added.
    int appendBookmarks(const QString &categoryFile, const QList<std::pair<QString, QString>> &bookmarks);

    // A bookmark name ends at its first ",", so a stored name carries none.
    static QString storedName(const QString &name);

private:
    QList<std::pair<int, QString>> listedFiles() const;
    QString fullPath(const QString &location) const;
    CreateResult checkNewFile(const QString &realFile, const QString &name) const;

    QString m_folder;
};
