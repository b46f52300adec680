#include "DocumentWindows.h"

#include "BrowserControl.h"
#include "BrowserFactory.h"
#include "DocumentArea.h"
#include "frmDocument.h"
#include "platform/Images.h"

#include <QTimer>

DocumentWindows::DocumentWindows(DocumentArea *area, BrowserFactory &browsers, const QString &programFolder,
                                 const QString &visitedFile, QObject *parent)
    : Documents(parent), m_area(area), m_browsers(browsers), m_programFolder(programFolder), m_arranger(area),
      m_visited(visitedFile)
{
    connect(area, &DocumentArea::currentChanged, this, &DocumentWindows::activeCommandsChanged);
    suggestions().setVisited(&m_visited, Images::icon(programFolder, QStringLiteral("earth")));
    browsers.onHistoryCleared([this] { m_visited.clear(); });
}

DocumentWindows::~DocumentWindows() { m_browsers.onHistoryCleared(nullptr); }

frmDocument *DocumentWindows::LoadNewDoc()
{
    ++m_count;
    auto *document = new frmDocument(*this, m_browsers, m_programFolder);
    document->setWindowTitle(QStringLiteral("Web Document %1").arg(m_count));
    connect(document->web(), &BrowserControl::CommandStateChange, this, [this, document] {
        if (document == activeDocument())
            emit activeCommandsChanged();
    });
    BrowserControl *web = document->web();
    connect(web, &BrowserControl::DocumentComplete, this,
            [this, web](const QString &address) {
                // An error page is no page to go back to.
                if (web->lastLoadSucceeded())
                    m_visited.record(address, web->locationName());
            });
    connect(web, &BrowserControl::TitleChange, this,
            [this, web](const QString &title) { m_visited.retitle(web->locationURL(), title); });
    for (WindowPlace place : {WindowPlace::Toolbar, WindowPlace::Menu})
        for (const MakeEntry &make : windowEntries(place))
            document->addEntry(place, make(document));
    document->web()->setSelectionCommands(selectionCommands());
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

void DocumentWindows::entryAdded(WindowPlace place, const MakeEntry &make)
{
    for (frmDocument *document : documents())
        document->addEntry(place, make(document));
}

void DocumentWindows::selectionCommandsChanged()
{
    for (frmDocument *document : documents())
        document->web()->setSelectionCommands(selectionCommands());
}
