#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QPointer>
#include <QStyle>

#include <optional>

// One of the style's own pictures, fetched from the style the first time something asks
// for it: Qt reads each from several files when a window is made (a document window's
// menu and toolbar hold nine), though most never show.
class StandardIconEngine : public QIconEngine
{
public:
    StandardIconEngine(QStyle::StandardPixmap which, const QStyle *style);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    QIcon &icon();

    QStyle::StandardPixmap m_which;
    QPointer<const QStyle> m_style;
    std::optional<QIcon> m_icon;
};
