#pragma once

#include "PageEntry.h"

#include <QList>
#include <QObject>

class Documents;
class frmDocument;

// The document windows open now, in the order they opened, with the page each shows.
// The documents service tells it of every window, whoever opens it.
class OpenWindows : public QObject
{
    Q_OBJECT
public:
    explicit OpenWindows(Documents &documents, QObject *parent = nullptr);

    QList<PageEntry> pages() const;

signals:
    // A window opened, closed, or finished loading a page.
    void changed();
    // A window closed, with what it showed then.
    void closed(const PageEntry &page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void track(frmDocument *document);
    static PageEntry pageOf(const frmDocument *document);

    QList<frmDocument *> m_windows;
};
