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
