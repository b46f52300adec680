#include "OpenWindows.h"

#include "document/BrowserControl.h"
#include "document/Documents.h"
#include "document/frmDocument.h"

#include <QEvent>

OpenWindows::OpenWindows(Documents &documents, QObject *parent) : QObject(parent)
{
    connect(&documents, &Documents::opened, this, &OpenWindows::track);
}

QList<PageEntry> OpenWindows::pages() const
{
    QList<PageEntry> pages;
    for (const frmDocument *document : m_windows)
        pages.append(pageOf(document));
    return pages;
}

void OpenWindows::track(frmDocument *document)
{
    m_windows.append(document);
    // The close event still finds the window whole; destroyed covers a window deleted unclosed.
    document->installEventFilter(this);
    connect(document, &QObject::destroyed, this, [this, document] {
        if (m_windows.removeOne(document))
            emit changed();
    });
    connect(document->web(), &BrowserControl::DocumentComplete, this, &OpenWindows::changed);
    emit changed();
}

bool OpenWindows::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close) {
        auto *document = static_cast<frmDocument *>(watched);
        if (m_windows.removeOne(document)) {
            emit closed(pageOf(document));
            emit changed();
        }
    }
    return QObject::eventFilter(watched, event);
}

PageEntry OpenWindows::pageOf(const frmDocument *document)
{
    return {document->web()->locationURL(), document->windowTitle()};
}
