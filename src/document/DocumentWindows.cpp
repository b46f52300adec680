#include "DocumentWindows.h"

#include "BrowserControl.h"
#include "DocumentArea.h"
#include "frmDocument.h"

#include <QTimer>

DocumentWindows::DocumentWindows(DocumentArea *area, BrowserFactory &browsers, const QString &programFolder,
                                 QObject *parent)
    : Documents(parent), m_area(area), m_browsers(browsers), m_programFolder(programFolder), m_arranger(area)
{
    connect(area, &DocumentArea::currentChanged, this, &DocumentWindows::activeCommandsChanged);
}

frmDocument *DocumentWindows::LoadNewDoc()
{
    ++m_count;
    auto *document = new frmDocument(*this, m_browsers, m_programFolder);
    document->setWindowTitle(QStringLiteral("Web Document %1").arg(m_count));
    connect(document->web(), &BrowserControl::CommandStateChange, this, [this, document] {
        if (document == activeDocument())
            emit activeCommandsChanged();
    });
    connect(document, &frmDocument::bookmarkRequested, this, &Documents::bookmarkRequested);
    connect(document, &frmDocument::searchRequested, this, &Documents::searchRequested);
    m_area->addDocument(document);
    emit opened(document);
    return document;
}

frmDocument *DocumentWindows::activeDocument() const { return m_area->activeDocument(); }

QList<frmDocument *> DocumentWindows::documents() const { return m_area->documents(); }

void DocumentWindows::navigateActive(const QString &address)
{
    if (frmDocument *document = activeDocument())
        document->web()->navigate(address);
}

frmDocument *DocumentWindows::navigateNew(const QString &address)
{
    frmDocument *document = LoadNewDoc();
    QTimer::singleShot(0, document->web(), [web = document->web(), address] { web->navigate(address); });
    return document;
}

void DocumentWindows::cascade() { m_arranger.cascade(); }

void DocumentWindows::CloseDoc()
{
    if (frmDocument *active = activeDocument())
        active->close();
}

frmDocument *DocumentWindows::pageWindow()
{
    frmDocument *document = LoadNewDoc();
    cascade();
    return document;
}
