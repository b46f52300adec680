#pragma once

#include <QString>

class BookmarkStore;
class QComboBox;

// Fills a category picker with every listed category in index order, by name,
// its file kept as the item's data and tooltip. The category kept in first,
// when it is one of them, leads and is chosen; otherwise none is.
void fillCategoryPicker(QComboBox *picker, const BookmarkStore &store, const QString &first = QString());
