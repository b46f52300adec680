#pragma once

#include "core/KeyStroke.h"

#include <QList>
#include <QObject>

class frmDocument;

// What the subsystems may do with the document windows, instead of reaching into one.
class Documents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

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

    // The title and the address of the active window's page; empty when none is open.
    QString activeTitle() const;
    QString activeAddress() const;
    // Types the keys into the focused field of the active window's page; false when
    // no window is open.
    bool typeIntoActive(const QList<KeyStroke> &strokes);

signals:
    // A document window asked to file its page, or to search for the text it shows chosen.
    void bookmarkRequested();
    void searchRequested(const QString &text);
};
