#include "DocumentCommands.h"

#include "BrowserControl.h"
#include "DocumentHost.h"
#include "app/Prompts.h"
#include "frmDocument.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrinter>
#include <QStyle>

namespace {

constexpr qreal ZoomStep = 1.1;

} // namespace

DocumentCommands::DocumentCommands(DocumentHost &host, QMdiArea *area, Prompts &prompts, QWidget *owner)
    : QObject(area), m_host(host), m_area(area), m_prompts(prompts), m_owner(owner)
{
}

frmDocument *DocumentCommands::active() const { return qobject_cast<frmDocument *>(m_area->activeSubWindow()); }

void DocumentCommands::withWeb(const std::function<void(BrowserControl &)> &command)
{
    if (frmDocument *document = active())
        command(*document->Web);
}

void DocumentCommands::mnuFileOpen_Click()
{
    if (!active())
        m_host.LoadNewDoc();
    const QString file = m_prompts.openFileName(m_owner, QStringLiteral("打开"),
                                                QStringLiteral("超文本文件(*.htm *.html);;所有文件 (*)"));
    if (!file.isEmpty())
        if (frmDocument *document = active())
            document->Web->navigate(file);
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
    if (frmDocument *document = active()) {
        document->setShowCombo(true);
        document->Combo->setFocus();
        document->Combo->lineEdit()->selectAll();
    }
}

// Tabs fill the area one at a time; moving their windows would only break the tab view.
bool DocumentCommands::canArrange() const { return m_area->viewMode() == QMdiArea::SubWindowView; }

// Every window keeps a usable size, each one step down and right of the one
// before, starting over at the top-left corner when the steps run out of room;
// the newest window ends up on top.
void DocumentCommands::mnuWindowCascade_Click()
{
    if (!canArrange())
        return;
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder))
        if (!window->isMinimized() && !window->isHidden())
            windows.append(window);
    const QRect area = tileArea();
    const int step = qMax(20, m_area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_area) + 4);
    const QSize size(qMax(area.width() * 3 / 4, qMin(area.width(), 480)),
                     qMax(area.height() * 3 / 4, qMin(area.height(), 360)));
    const int room = qMin(area.width() - size.width(), area.height() - size.height());
    const int places = qMax(1, room / step + 1);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        const int offset = int(i % places) * step;
        window->showNormal();
        window->setGeometry(QRect(QPoint(offset, offset), size));
        window->raise();
    }
}

void DocumentCommands::mnuWindowTileHorizontal_Click() { tile(Qt::Vertical); }
void DocumentCommands::mnuWindowTileVertical_Click() { tile(Qt::Horizontal); }

// Horizontal tiling stacks the windows top to bottom (laid out along the vertical axis).
void DocumentCommands::tile(Qt::Orientation orientation)
{
    if (!canArrange())
        return;
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::StackingOrder))
        if (!window->isMinimized() && !window->isHidden())
            windows.append(window);
    if (windows.isEmpty())
        return;
    const QRect area = tileArea();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *window = windows.at(i);
        window->showNormal();
        if (orientation == Qt::Vertical) {
            const int top = area.height() * i / n;
            window->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
        } else {
            const int left = area.width() * i / n;
            window->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
        }
    }
}

// Tiles that fit need no scroll bars, so they may take the room of bars shown now.
QRect DocumentCommands::tileArea() const
{
    QRect area = m_area->viewport()->rect();
    const QRect inner = m_area->contentsRect();
    const QRect port = m_area->viewport()->geometry();
    if (m_area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn)
        area.setWidth(inner.right() - port.left() + 1);
    if (m_area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOn)
        area.setHeight(inner.bottom() - port.top() + 1);
    return area;
}

void DocumentCommands::mnuWindowArrangeIcons_Click()
{
    if (!canArrange())
        return;
    int left = 0;
    const int bottom = m_area->viewport()->height();
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        window->move(left, bottom - window->height());
        left += window->width();
    }
}
