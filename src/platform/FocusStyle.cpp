#include "FocusStyle.h"

#include "StandardIconEngine.h"

#include <QPainter>
#include <QStyleOption>

void FocusStyle::drawMark(const QRect &rect, const QStyleOption *option, QPainter *painter) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(1, 1, -1, -1));
    painter->restore();
}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    if (element == PE_FrameFocusRect)
        drawMark(option->rect, option, painter);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus))
        drawMark(option->rect, option, painter);
}

// Without the option and widget, Qt's styles take the direction from the application.
QIcon FocusStyle::standardIcon(StandardPixmap which, const QStyleOption *, const QWidget *) const
{
    return QIcon(new StandardIconEngine(which, baseStyle()));
}
