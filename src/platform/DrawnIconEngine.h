#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QString>

// A picture drawn at several sizes, each PNG read the first time something shows that
// size: a toolbar shows one of five, and reading all five took most of the main
// window's build. What is read goes into a plain icon, which scales and greys as Qt's do.
class DrawnIconEngine : public QIconEngine
{
public:
    // files: the picture's PNG for each of sizes, smallest first.
    DrawnIconEngine(const QStringList &files, const QList<int> &sizes);

    // Reads files on the calling thread, any thread, before a window shows them; the
    // first icon that shows one of them takes it instead of reading the file itself.
    static void readAhead(const QStringList &files);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    // The index of the smallest drawn size that covers size, or of the largest.
    qsizetype bestFor(const QSize &size) const;
    const QIcon &readFor(const QSize &size);

    QStringList m_files;
    QList<int> m_sizes;
    QList<bool> m_read;
    QIcon m_icon;
};
