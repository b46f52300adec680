#pragma once

#include "BookmarkStore.h"

#include <QAbstractItemModel>
#include <QIcon>

// The nodes of the bookmark tree: one top-level node per shown category, its
// bookmarks as children. A node's key and tag are those of the bookmark files:
// a category's key is its display name and its tag the path of its file; a
// bookmark's key is that path, ", " and its entry number, its tag its address.
// Rows are served from the categories as they were read; nothing is copied per node.
class BookmarkModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1, TagRole };

    BookmarkModel(const QIcon &folder, const QIcon &bookmark, QObject *parent = nullptr);

    // Throws every node away and shows categories instead.
    void setCategories(QList<BookmarkCategory> categories);
    const QList<BookmarkCategory> &categories() const { return m_categories; }

    static bool isBookmark(const QModelIndex &node) { return node.parent().isValid(); }
    static QString key(const QModelIndex &node) { return node.data(KeyRole).toString(); }
    static QString tag(const QModelIndex &node) { return node.data(TagRole).toString(); }
    // The category file of a node and, for a bookmark, its entry number (0 for a category).
    QString categoryFile(const QModelIndex &node) const;
    int entryNumber(const QModelIndex &node) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const BookmarkCategory *categoryOf(const QModelIndex &node) const;

    QIcon m_folder;
    QIcon m_bookmark;
    QList<BookmarkCategory> m_categories;
};
