#include "AutotextRowDelegate.h"

#include <QApplication>

QSize AutotextRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem sample = option;
    initStyleOption(&sample, index);
    sample.text = QStringLiteral("Ag中😀");
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    size.setHeight(qMax(size.height(), style->sizeFromContents(QStyle::CT_ItemViewItem, &sample, QSize(), widget).height()));
    return size;
}
