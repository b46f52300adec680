#include "CategoryPicker.h"

#include "BookmarkStore.h"

#include <QComboBox>

void fillCategoryPicker(QComboBox *picker, const BookmarkStore &store, const QString &first)
{
    picker->clear();
    for (const QString &entry : store.categoryEntries()) {
        // "name,path": a stored name holds no comma.
        const qsizetype comma = entry.indexOf(u',');
        const QString name = entry.left(comma);
        const QString file = entry.mid(comma + 1);
        const int at = !first.isEmpty() && file == first ? 0 : picker->count();
        picker->insertItem(at, name, file);
        picker->setItemData(at, file, Qt::ToolTipRole);
    }
    picker->setCurrentIndex(first.isEmpty() || picker->itemData(0).toString() != first ? -1 : 0);
}
