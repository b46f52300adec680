#include "CategoryPicker.h"

#include "BookmarkStore.h"

#include <QComboBox>

void fillCategoryPicker(QComboBox *picker, const BookmarkStore &store, const QString &first)
{
    picker->clear();
    for (const BookmarkCategory &category : store.categories()) {
        const int at = !first.isEmpty() && category.path == first ? 0 : picker->count();
        picker->insertItem(at, category.name, category.path);
        picker->setItemData(at, category.path, Qt::ToolTipRole);
    }
    picker->setCurrentIndex(first.isEmpty() || picker->itemData(0).toString() != first ? -1 : 0);
}
