#pragma once

#include <QString>

class frmDocument;

// What a document window asks of the main window.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;
    virtual frmDocument *LoadNewDoc() = 0;
    // The document window commands act on; null when none is open.
    virtual frmDocument *activeDocument() const = 0;
    virtual void CloseDoc() = 0;
    virtual void MotherButton_Click(const QString &key) = 0;
    virtual void mnuWindowCascade_Click() = 0;
    virtual void btnBookmarkAdd_Click() = 0;
    virtual void searchSelection(const QString &text) = 0;
};
