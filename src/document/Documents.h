#pragma once

#include "AddressSuggestions.h"
#include "BrowserControl.h"
#include "core/KeyStroke.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class SuggestionSource;
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

    // What rooms add to every document window, open now or to come. An entry is made
    // anew for each window, as a child of it, by make; the room keeps its command there.
    enum class WindowPlace { Toolbar, Menu };
    using MakeEntry = std::function<QAction *(QObject *window)>;
    void addWindowEntry(WindowPlace place, const MakeEntry &make);
    // An item of every page's context menu while text is chosen in it.
    void addSelectionCommand(const BrowserControl::SelectionCommand &command);
    // Entries every address box suggests from, before the visited pages, shown with icon.
    // The source stays its owner's, who keeps it current.
    void offerSuggestions(SuggestionSource *source, const QIcon &icon) { m_suggestions.offer(source, icon); }

signals:
    // Each new window, so that its requests can be heard.
    void opened(frmDocument *document);

protected:
    // What a new window gets of the entries above.
    QList<MakeEntry> windowEntries(WindowPlace place) const;
    QList<BrowserControl::SelectionCommand> selectionCommands() const { return m_selectionCommands; }
    // Gives a window the entries added after it opened.
    virtual void entryAdded(WindowPlace place, const MakeEntry &make) = 0;
    virtual void selectionCommandsChanged() = 0;
    AddressSuggestions &suggestions() { return m_suggestions; }
    const AddressSuggestions &suggestions() const { return m_suggestions; }

private:
    QList<std::pair<WindowPlace, MakeEntry>> m_entries;
    QList<BrowserControl::SelectionCommand> m_selectionCommands;
    AddressSuggestions m_suggestions;
};
