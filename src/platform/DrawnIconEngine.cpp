#include "DrawnIconEngine.h"

#include "Images.h"

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPainter>
#include <QPixmap>

namespace {

QMutex readAheadLock;
QHash<QString, QImage> &readAheadPictures()
{
    static QHash<QString, QImage> pictures;
    return pictures;
}

QPixmap readPicture(const QString &file)
{
    {
        const QMutexLocker locked(&readAheadLock);
        if (QImage ahead = readAheadPictures().take(file); !ahead.isNull())
            return QPixmap::fromImage(std::move(ahead));
    }
    return QPixmap(file);
}

} // namespace

void DrawnIconEngine::readAhead(const QStringList &files)
{
    for (const QString &file : files) {
        QImage picture = Images::readAs(file, "png");
        const QMutexLocker locked(&readAheadLock);
        if (!picture.isNull())
            readAheadPictures().insert(file, std::move(picture));
    }
}

DrawnIconEngine::DrawnIconEngine(const QStringList &files, const QList<int> &sizes)
    : m_files(files), m_sizes(sizes), m_read(sizes.size(), false)
{
}

qsizetype DrawnIconEngine::bestFor(const QSize &size) const
{
    const int wanted = qMax(size.width(), size.height());
    for (qsizetype i = 0; i < m_sizes.size(); ++i)
        if (m_sizes.at(i) >= wanted)
            return i;
    return m_sizes.size() - 1;
}

const QIcon &DrawnIconEngine::readFor(const QSize &size)
{
    const qsizetype best = bestFor(size);
    if (best >= 0 && !m_read.at(best)) {
        m_read[best] = true;
        const QPixmap picture = readPicture(m_files.at(best));
        if (!picture.isNull())
            m_icon.addPixmap(picture);
    }
    return m_icon;
}

void DrawnIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    readFor(rect.size()).paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DrawnIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return readFor(size).pixmap(size, 1.0, mode, state);
}

QSize DrawnIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    const qsizetype best = bestFor(size);
    return best < 0 ? QSize() : QSize(m_sizes.at(best), m_sizes.at(best)).boundedTo(size);
}

QList<QSize> DrawnIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const int size : std::as_const(m_sizes))
        sizes.append(QSize(size, size));
    return sizes;
}

QIconEngine *DrawnIconEngine::clone() const
{
    return new DrawnIconEngine(*this);
}

QString DrawnIconEngine::key() const
{
    return QStringLiteral("DrawnIconEngine");
}
