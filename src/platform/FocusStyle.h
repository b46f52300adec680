#pragma once

#include <QProxyStyle>

// The platform's style, with a focus mark that can be seen: a keyboard user must
// always find the control the keys go to, and Fusion's is a faint tint. Its own
// pictures are fetched when first shown (StandardIconEngine).
class FocusStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    void drawMark(const QRect &rect, const QStyleOption *option, QPainter *painter) const;
};
