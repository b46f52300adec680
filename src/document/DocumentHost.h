#pragma once

class AddressSuggestions;
class frmDocument;

// What a document window asks of the windows around it.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;
    // A new, empty document window, which becomes the active one.
    virtual frmDocument *LoadNewDoc() = 0;
    // Closes the active document window.
    virtual void CloseDoc() = 0;
    // A new window for a page that asked for one, arranged with the others.
    virtual frmDocument *pageWindow() = 0;
    // What the address boxes suggest from; null for none.
    virtual const AddressSuggestions *addressSuggestions() const { return nullptr; }
};
