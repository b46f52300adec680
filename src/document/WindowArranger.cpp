#include "WindowArranger.h"

#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>

WindowArranger::WindowArranger(QMdiArea *area) : m_area(area) {}

bool WindowArranger::canArrange() const { return m_area->viewMode() == QMdiArea::SubWindowView; }

QList<QMdiSubWindow *> WindowArranger::openWindows(QMdiArea::WindowOrder order) const
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_area->subWindowList(order))
        if (!window->isMinimized() && !window->isHidden())
            windows.append(window);
    return windows;
}

// Every window keeps a usable size, each one step down and right of the one
// before, starting over at the top-left corner when the steps run out of room;
// the newest window ends up on top.
void WindowArranger::cascade()
{
    if (!canArrange())
        return;
    const QList<QMdiSubWindow *> windows = openWindows(QMdiArea::CreationOrder);
    const QRect area = usableArea();
    const int step = qMax(20, m_area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_area) + 4);
    const QSize size(qMax(area.width() * 3 / 4, qMin(area.width(), 480)),
                     qMax(area.height() * 3 / 4, qMin(area.height(), 360)));
    const int room = qMin(area.width() - size.width(), area.height() - size.height());
    const int places = qMax(1, room / step + 1);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        const int offset = int(i % places) * step;
        window->showNormal();
        window->setGeometry(QRect(QPoint(offset, offset), size));
        window->raise();
    }
}

void WindowArranger::tile(Qt::Orientation orientation)
{
    if (!canArrange())
        return;
    const QList<QMdiSubWindow *> windows = openWindows(QMdiArea::StackingOrder);
    if (windows.isEmpty())
        return;
    const QRect area = usableArea();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *window = windows.at(i);
        window->showNormal();
        if (orientation == Qt::Vertical) {
            const int top = area.height() * i / n;
            window->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
        } else {
            const int left = area.width() * i / n;
            window->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
        }
    }
}

// Tiles that fit need no scroll bars, so they may take the room of bars shown now.
QRect WindowArranger::usableArea() const
{
    QRect area = m_area->viewport()->rect();
    const QRect inner = m_area->contentsRect();
    const QRect port = m_area->viewport()->geometry();
    if (m_area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn)
        area.setWidth(inner.right() - port.left() + 1);
    if (m_area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOn)
        area.setHeight(inner.bottom() - port.top() + 1);
    return area;
}

void WindowArranger::arrangeIcons()
{
    if (!canArrange())
        return;
    int left = 0;
    const int bottom = m_area->viewport()->height();
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        window->move(left, bottom - window->height());
        left += window->width();
    }
}
