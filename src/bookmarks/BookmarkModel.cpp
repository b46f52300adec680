#include "BookmarkModel.h"

// A node's internal id is 0 for a category and its category's row + 1 for a bookmark.

BookmarkModel::BookmarkModel(const QIcon &folder, const QIcon &bookmark, QObject *parent)
    : QAbstractItemModel(parent), m_folder(folder), m_bookmark(bookmark)
{
}

void BookmarkModel::setCategories(QList<BookmarkCategory> categories)
{
    beginResetModel();
    m_categories = std::move(categories);
    endResetModel();
}

const BookmarkCategory *BookmarkModel::categoryOf(const QModelIndex &node) const
{
    if (!node.isValid() || node.model() != this)
        return nullptr;
    const qsizetype row = node.internalId() ? qsizetype(node.internalId()) - 1 : node.row();
    return row < m_categories.size() ? &m_categories.at(row) : nullptr;
}

QString BookmarkModel::categoryFile(const QModelIndex &node) const
{
    const BookmarkCategory *category = categoryOf(node);
    return category ? category->path : QString();
}

int BookmarkModel::entryNumber(const QModelIndex &node) const
{
    const BookmarkCategory *category = categoryOf(node);
    return category && isBookmark(node) ? category->entryNumber(node.row()) : 0;
}

QModelIndex BookmarkModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    if (!parent.isValid())
        return row < m_categories.size() ? createIndex(row, 0, quintptr(0)) : QModelIndex();
    if (isBookmark(parent) || row >= m_categories.at(parent.row()).size())
        return QModelIndex();
    return createIndex(row, 0, quintptr(parent.row() + 1));
}

QModelIndex BookmarkModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return QModelIndex();
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int BookmarkModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_categories.size());
    return isBookmark(parent) ? 0 : int(m_categories.at(parent.row()).size());
}

int BookmarkModel::columnCount(const QModelIndex &) const { return 1; }

QVariant BookmarkModel::data(const QModelIndex &node, int role) const
{
    const BookmarkCategory *category = categoryOf(node);
    if (!category)
        return QVariant();
    const bool bookmark = isBookmark(node);
    switch (role) {
    case Qt::DisplayRole:
        return bookmark ? category->entryName(node.row()) : category->name;
    case Qt::ToolTipRole:
        return bookmark ? category->entryAddress(node.row()) : category->name;
    case Qt::DecorationRole:
        return bookmark ? m_bookmark : m_folder;
    case KeyRole:
        return bookmark ? category->path + QStringLiteral(", ") + QString::number(category->entryNumber(node.row()))
                        : category->name;
    case TagRole:
        return bookmark ? category->entryAddress(node.row()) : category->path;
    default:
        return QVariant();
    }
}
