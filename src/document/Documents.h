#pragma once

class QString;
class frmDocument;

// What the subsystems may do with the document windows, instead of reaching into one.
class Documents
{
public:
    virtual ~Documents() = default;
    // A new, empty document window, which becomes the active one.
    virtual frmDocument *LoadNewDoc() = 0;
    // The window commands act on; null when none is open.
    virtual frmDocument *activeDocument() const = 0;
    // Loads address in the active window; nothing happens when none is open.
    virtual void navigateActive(const QString &address) = 0;
    // Loads address in a new window. The load starts from the event loop, so that
    // windows opened together all show before any of them waits on a page.
    virtual frmDocument *navigateNew(const QString &address) = 0;
    virtual void cascade() = 0;
};
