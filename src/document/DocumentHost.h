#pragma once

class frmDocument;

// What a document window asks of the window that holds it.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;
    // A new, empty document window, which becomes the active one.
    virtual frmDocument *LoadNewDoc() = 0;
    // The document window commands act on; null when none is open.
    virtual frmDocument *activeDocument() const = 0;
    virtual void CloseDoc() = 0;
    virtual void mnuWindowCascade_Click() = 0;
};
