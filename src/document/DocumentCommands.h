#pragma once

#include "WindowArranger.h"

#include <QObject>
#include <functional>

class BrowserControl;
class Documents;
class Prompts;
class QMdiArea;
class QRect;
class QWidget;
class frmDocument;

// The File, Edit and Window commands that act on the active document window.
// Each does nothing when no document window is open, unless it says otherwise.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    // arranger lays out the windows of area.
    DocumentCommands(Documents &documents, QMdiArea *area, WindowArranger &arranger, Prompts &prompts, QWidget *owner);

    void mnuFileOpen_Click(); // opens a window first when there is none
    void mnuFileSaveAs_Click();
    void mnuFileProperties_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuEditback_Click();
    void MnuEditForward_Click();
    void mnuEditRefresh_Click();
    void mnuEditStop_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditFind_Click();
    void zoomIn();
    void zoomOut();
    void zoomReset();
    void focusAddress();
    // Keys browser users expect beyond the menu shortcuts, on window.
    void addShortcuts(QWidget *window);

    void mnuWindowCascade_Click();
    void mnuWindowTileHorizontal_Click();
    void mnuWindowTileVertical_Click();
    void mnuWindowArrangeIcons_Click();

private:
    frmDocument *active() const;
    // Runs command on the active document's browser; without one, nothing happens.
    void withWeb(const std::function<void(BrowserControl &)> &command);

    Documents &m_documents;
    QMdiArea *m_area;
    WindowArranger &m_arranger;
    Prompts &m_prompts;
    QWidget *m_owner;
};
