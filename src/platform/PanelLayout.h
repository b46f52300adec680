#pragma once

#include "core/Twips.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QString>

#include <initializer_list>

// Helpers for the side panel's pages, whose sizes come in twips.
namespace PanelLayout {

constexpr int RowGap = 4;
// The panel keeps 60 twips (4 px) right of the tab strip, and the query box as much
// right of the search page's edge.
constexpr int RightGap = 60 / Twips;

template<typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A button of the twips size, or larger where a large font needs more to show the caption whole.
QPushButton *fixedButton(const char *name, const QString &caption, int widthTwips, int heightTwips = 255);
QVBoxLayout *column(QWidget *page, int spacing);
// Buttons that sit side by side at their fixed sizes, flush left.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);

} // namespace PanelLayout
