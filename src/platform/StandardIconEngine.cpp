#include "StandardIconEngine.h"

#include <QApplication>

StandardIconEngine::StandardIconEngine(QStyle::StandardPixmap which, const QStyle *style)
    : m_which(which), m_style(style)
{
}

QIcon &StandardIconEngine::icon()
{
    if (!m_icon) {
        const QStyle *style = m_style ? m_style.data() : QApplication::style();
        m_icon = style->standardIcon(m_which);
    }
    return *m_icon;
}

void StandardIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap StandardIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return icon().pixmap(size, mode, state);
}

QSize StandardIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return icon().actualSize(size, mode, state);
}

QList<QSize> StandardIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return icon().availableSizes(mode, state);
}

bool StandardIconEngine::isNull() { return icon().isNull(); }

QIconEngine *StandardIconEngine::clone() const { return new StandardIconEngine(*this); }

QString StandardIconEngine::key() const { return QStringLiteral("StandardIconEngine"); }
