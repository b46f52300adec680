#pragma once

#include "SuggestionSource.h"

#include <QList>
#include <QObject>
#include <QTimer>

// The pages loaded in the document windows, newest first, one per address, for
// the address boxes to suggest. The web engine keeps no list we could ask, so
// this one is ours, kept in a file of the profile folder: read at the first need
// (an address box taking the focus, or the first save), and written whole, by
// one rename, a few seconds after a change and at the end.
class VisitedPages : public QObject, public SuggestionSource
{
    Q_OBJECT
public:
    static constexpr qsizetype Cap = 10000;
    static constexpr int SaveDelayMs = 5000;
    // Its file in the profile folder.
    static inline const QString FileName = QStringLiteral("visited.txt");

    // An empty file keeps the list in memory only.
    explicit VisitedPages(const QString &file, QObject *parent = nullptr);
    ~VisitedPages() override;

    void record(const QString &address, const QString &title);
    // A page's title that came after its load.
    void retitle(const QString &address, const QString &title);
    void clear();
    // Newest first.
    QList<Suggestion> pages();
    // Writes a change not written yet; false when the file could not be written.
    bool save();

    void collect(const QStringList &words, const Take &take) override;
    void prepare() override { read(); }

private:
    void read();
    void changed();
    qsizetype find(const QString &address) const;

    QString m_file;
    QList<Suggestion> m_pages; // oldest first, so that a visit appends
    bool m_read = false;
    bool m_changed = false;
    QTimer m_save;
};
