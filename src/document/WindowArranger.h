#pragma once

#include <QList>
#include <QMdiArea>
#include <QRect>

// Cascades, tiles and lines up the document windows of one area.
// In the tabbed view windows are left alone: each tab fills the area anyway.
class WindowArranger
{
public:
    explicit WindowArranger(QMdiArea *area);

    void cascade();
    // Qt::Vertical stacks the windows top to bottom; Qt::Horizontal puts them side by side.
    void tile(Qt::Orientation orientation);
    // Minimized windows in a row along the bottom.
    void arrangeIcons();

private:
    bool canArrange() const;
    QList<QMdiSubWindow *> openWindows(QMdiArea::WindowOrder order) const;
    QRect usableArea() const;

    QMdiArea *m_area;
};
