#pragma once

#include <QString>

class BookmarkStore;
class QComboBox;

// Fills a category picker with the categories the tree shows, in index order, by
// name, its file kept as the item's data and tooltip; a retired category would take
// bookmarks nobody sees. The category kept in first,
// when it is one of them, leads and is chosen; otherwise none is.
void fillCategoryPicker(QComboBox *picker, const BookmarkStore &store, const QString &first = QString());
