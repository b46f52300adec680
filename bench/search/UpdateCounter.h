#pragma once

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <cstdio>

// Counts repaints of whole top-level windows (each one a composition of the
// window, web views included) and which widget classes got painted, to see
// what makes a program paint more.
class UpdateCounter : public QObject
{
public:
    int count = 0;
    QHash<QByteArray, int> paints;

    // Prints the most painted classes to stderr.
    void report() const
    {
        QList<QPair<int, QByteArray>> sorted;
        for (auto it = paints.begin(); it != paints.end(); ++it)
            sorted.append({it.value(), it.key()});
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        for (qsizetype i = 0; i < qMin<qsizetype>(sorted.size(), 12); ++i)
            std::fprintf(stderr, "paints %6d %s\n", sorted[i].first, sorted[i].second.constData());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        if (event->type() == QEvent::UpdateRequest && static_cast<QWidget *>(watched)->isWindow())
            ++count;
        else if (event->type() == QEvent::Paint)
            ++paints[watched->metaObject()->className()];
        return false;
    }
};
