#include "Documents.h"

#include "BrowserControl.h"
#include "frmDocument.h"

QString Documents::activeTitle() const
{
    const frmDocument *document = activeDocument();
    return document ? document->windowTitle() : QString();
}

QString Documents::activeAddress() const
{
    const frmDocument *document = activeDocument();
    return document ? document->web()->locationURL() : QString();
}

bool Documents::typeIntoActive(const QList<KeyStroke> &strokes)
{
    frmDocument *document = activeDocument();
    if (!document)
        return false;
    document->setFocus();
    document->web()->sendKeys(strokes);
    return true;
}

void Documents::addWindowEntry(WindowPlace place, const MakeEntry &make)
{
    m_entries.append({place, make});
    entryAdded(place, make);
}

void Documents::addSelectionCommand(const BrowserControl::SelectionCommand &command)
{
    m_selectionCommands.append(command);
    selectionCommandsChanged();
}

QList<Documents::MakeEntry> Documents::windowEntries(WindowPlace place) const
{
    QList<MakeEntry> made;
    for (const auto &[where, make] : m_entries)
        if (where == place)
            made.append(make);
    return made;
}
