#include "DocumentCommands.h"

#include "BrowserControl.h"
#include "Documents.h"
#include "core/Prompts.h"
#include "frmDocument.h"

#include <QAction>
#include <QMdiArea>
#include <QPrinter>

namespace {

constexpr qreal ZoomStep = 1.1;

} // namespace

DocumentCommands::DocumentCommands(Documents &documents, QMdiArea *area, WindowArranger &arranger, Prompts &prompts,
                                   QWidget *owner)
    : QObject(area), m_documents(documents), m_area(area), m_arranger(arranger), m_prompts(prompts), m_owner(owner)
{
}

frmDocument *DocumentCommands::active() const { return m_documents.activeDocument(); }

void DocumentCommands::withWeb(const std::function<void(BrowserControl &)> &command)
{
    if (frmDocument *document = active())
        command(*document->web());
}

void DocumentCommands::mnuFileOpen_Click()
{
    if (!active())
        m_documents.LoadNewDoc();
    const QString file = m_prompts.openFileName(m_owner, QStringLiteral("打开"),
                                                QStringLiteral("超文本文件(*.htm *.html);;所有文件 (*)"));
    if (!file.isEmpty())
        if (frmDocument *document = active())
            document->web()->navigate(file);
}

void DocumentCommands::mnuFileSaveAs_Click()
{
    withWeb([](BrowserControl &web) { web.execWB(BrowserControl::SaveAs); });
}

void DocumentCommands::mnuFileProperties_Click()
{
    withWeb([](BrowserControl &web) { web.execWB(BrowserControl::Properties); });
}

void DocumentCommands::mnuFilePageSetup_Click()
{
    // The choice is not kept: each print asks again.
    QPrinter printer;
    m_prompts.printer(m_owner, QStringLiteral("页面设置"), printer);
}

void DocumentCommands::mnuFilePrint_Click()
{
    withWeb([](BrowserControl &web) { web.execWB(BrowserControl::Print); });
}

void DocumentCommands::mnuEditback_Click()
{
    withWeb([](BrowserControl &web) { web.goBack(); });
}

void DocumentCommands::MnuEditForward_Click()
{
    withWeb([](BrowserControl &web) { web.goForward(); });
}

void DocumentCommands::mnuEditRefresh_Click()
{
    withWeb([](BrowserControl &web) { web.refresh(); });
}

void DocumentCommands::mnuEditStop_Click()
{
    withWeb([](BrowserControl &web) { web.stop(); });
}

void DocumentCommands::mnuEditCut_Click()
{
    withWeb([](BrowserControl &web) { web.execWB(BrowserControl::Cut); });
}

void DocumentCommands::mnuEditCopy_Click()
{
    withWeb([](BrowserControl &web) { web.execWB(BrowserControl::Copy); });
}

void DocumentCommands::mnuEditPaste_Click()
{
    withWeb([](BrowserControl &web) { web.execWB(BrowserControl::Paste); });
}

void DocumentCommands::mnuEditFind_Click()
{
    withWeb([](BrowserControl &web) { web.showFind(); });
}

void DocumentCommands::zoomIn()
{
    withWeb([](BrowserControl &web) { web.setZoom(qMin(5.0, web.zoom() * ZoomStep)); });
}

void DocumentCommands::zoomOut()
{
    withWeb([](BrowserControl &web) { web.setZoom(qMax(0.25, web.zoom() / ZoomStep)); });
}

void DocumentCommands::zoomReset()
{
    withWeb([](BrowserControl &web) { web.setZoom(1.0); });
}

void DocumentCommands::focusAddress()
{
    if (frmDocument *document = active())
        document->focusAddress();
}

void DocumentCommands::addShortcuts(QWidget *window)
{
    const auto shortcut = [this, window](const QList<QKeySequence> &keys, void (DocumentCommands::*handler)()) {
        auto *action = new QAction(window);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        window->addAction(action);
    };
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &DocumentCommands::zoomIn);
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &DocumentCommands::zoomOut);
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_0)}, &DocumentCommands::zoomReset);
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D)}, &DocumentCommands::focusAddress);
}

void DocumentCommands::mnuWindowCascade_Click() { m_arranger.cascade(); }
void DocumentCommands::mnuWindowTileHorizontal_Click() { m_arranger.tile(Qt::Vertical); }
void DocumentCommands::mnuWindowTileVertical_Click() { m_arranger.tile(Qt::Horizontal); }
void DocumentCommands::mnuWindowArrangeIcons_Click() { m_arranger.arrangeIcons(); }
