#include "TabRows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace {

// The first tab of a row when count tabs take rows rows; the first rows take one more
// where they do not share out evenly.
int rowStart(int row, int count, int rows)
{
    return row * (count / rows) + qMin(row, count % rows);
}

int hspace(const QWidget *widget)
{
    return widget->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, widget);
}

} // namespace

TabRows::TabRows(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    // As wide as the strip below it, as high as its rows.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void TabRows::addTab(const QString &text)
{
    m_texts.append(text);
    if (m_current < 0)
        m_current = 0;
    updateGeometry();
    update();
}

void TabRows::setCurrentIndex(int index)
{
    if (index == m_current || index < 0 || index >= count())
        return;
    m_current = index;
    update();
    emit currentChanged(index);
}

// The room each side of a caption: a quarter of a tab bar's, which still parts two captions
// and lets a row hold more tabs.
int TabRows::padding() const
{
    return hspace(this) / 4;
}

int TabRows::tabHeight() const
{
    QStyleOptionTab tab;
    tab.initFrom(this);
    const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &tab, this);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &tab, QSize(0, fontMetrics().height() + vspace), this).height();
}

// The fewest rows on which every caption shows whole; one tab a row where none does.
int TabRows::rowsFor(int width) const
{
    int widest = 0;
    for (const QString &text : m_texts)
        widest = qMax(widest, fontMetrics().horizontalAdvance(text));
    const int needed = widest + 2 * padding();
    for (int rows = 1; rows < count(); ++rows)
        if (width / ((count() + rows - 1) / rows) >= needed)
            return rows;
    return qMax(1, count());
}

QSize TabRows::sizeHint() const
{
    QStyleOptionTab tab;
    tab.initFrom(this);
    int width = 0;
    for (const QString &text : m_texts)
        width += style()->sizeFromContents(QStyle::CT_TabBarTab, &tab,
                                           QSize(fontMetrics().horizontalAdvance(text) + hspace(this), 0), this).width();
    return {width, tabHeight()};
}

QSize TabRows::minimumSizeHint() const
{
    return {0, tabHeight()};
}

int TabRows::heightForWidth(int width) const
{
    return rowsFor(width) * tabHeight();
}

QRect TabRows::tabRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const int rows = rowsFor(width());
    int row = 0;
    while (row + 1 < rows && rowStart(row + 1, count(), rows) <= index)
        ++row;
    const int first = rowStart(row, count(), rows);
    const int inRow = rowStart(row + 1, count(), rows) - first;
    const int left = (index - first) * width() / inRow;
    const int right = (index - first + 1) * width() / inRow;
    return {left, row * tabHeight(), right - left, tabHeight()};
}

int TabRows::tabAt(const QPoint &position) const
{
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).contains(position))
            return i;
    return -1;
}

QStyleOptionTab TabRows::option(int index) const
{
    QStyleOptionTab tab;
    tab.initFrom(this);
    tab.rect = tabRect(index);
    tab.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    if (index == m_current)
        tab.state |= hasFocus() ? QStyle::State_Selected | QStyle::State_HasFocus : QStyle::State_Selected;
    if (underMouse() && tab.rect.contains(mapFromGlobal(QCursor::pos())))
        tab.state |= QStyle::State_MouseOver;
    const bool first = tab.rect.left() == 0;
    const bool last = tab.rect.right() == width() - 1;
    tab.position = first && last ? QStyleOptionTab::OnlyOneTab
                   : first       ? QStyleOptionTab::Beginning
                   : last        ? QStyleOptionTab::End
                                 : QStyleOptionTab::Middle;
    tab.selectedPosition = !first && index - 1 == m_current ? QStyleOptionTab::PreviousIsSelected
                           : !last && index + 1 == m_current ? QStyleOptionTab::NextIsSelected
                                                              : QStyleOptionTab::NotAdjacent;
    return tab;
}

void TabRows::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const auto draw = [&](int index) {
        const QStyleOptionTab tab = option(index);
        // A style draws below a tab to join it to the pages, which here is the next row.
        painter.setClipRect(tab.rect);
        painter.drawControl(QStyle::CE_TabBarTabShape, tab);
        // The style keeps half a tab bar's padding each side of a caption; ours keeps less,
        // so the label is drawn as if the tab were that much wider.
        QStyleOptionTab label = tab;
        const int wider = hspace(this) / 2 - padding();
        label.rect.adjust(-wider, 0, wider, 0);
        label.text = fontMetrics().elidedText(m_texts.at(index), Qt::ElideRight, tab.rect.width() - 2 * padding());
        painter.drawControl(QStyle::CE_TabBarTabLabel, label);
    };
    // The current tab last, over the edges of its neighbours.
    for (int i = 0; i < count(); ++i)
        if (i != m_current)
            draw(i);
    if (m_current >= 0)
        draw(m_current);
}

bool TabRows::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
        update();
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        updateGeometry();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TabRows::mousePressEvent(QMouseEvent *event)
{
    const int index = tabAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0)
        return QWidget::mousePressEvent(event);
    emit tabBarClicked(index);
    setCurrentIndex(index);
}

void TabRows::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Left || event->key() == Qt::Key_Up      ? -1
                     : event->key() == Qt::Key_Right || event->key() == Qt::Key_Down ? 1
                                                                                     : 0;
    if (step == 0)
        return QWidget::keyPressEvent(event);
    setCurrentIndex(qBound(0, m_current + step, count() - 1));
}
