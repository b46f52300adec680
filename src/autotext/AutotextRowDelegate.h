#pragma once

#include <QStyledItemDelegate>

// Rows of the snippet list, all as tall as a row that mixes Latin, Chinese and
// emoji: the fonts that fill in for Chinese are taller than a Latin font, and a
// list of rows of two heights looks broken.
class AutotextRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
