#include "DocumentArea.h"

#include "frmDocument.h"

#include <QEvent>
#include <QMenu>
#include <QTabBar>
#include <QTimer>

DocumentArea::DocumentArea(QWidget *parent) : QMdiArea(parent), m_watcher(new QObject(this))
{
    setObjectName(QStringLiteral("mdi"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabsClosable(true);
    setTabsMovable(true);
    connect(this, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (auto *document = qobject_cast<frmDocument *>(window))
            m_current = document;
        emit currentChanged();
    });
}

// The windows' signals stop reaching the area before it is only a QWidget: the
// base's destructor deletes the windows, and a window that goes changes its state.
DocumentArea::~DocumentArea()
{
    delete m_watcher;
}

void DocumentArea::addDocument(frmDocument *document)
{
    // Not connected to the area itself: it drops every connection between a window
    // and itself when it takes the window out, before the window is gone.
    connect(document, &QMdiSubWindow::windowStateChanged, m_watcher, [this] { emit currentChanged(); });
    connect(document, &QWidget::windowTitleChanged, m_watcher, [this] { emit currentChanged(); });
    connect(document, &QObject::destroyed, m_watcher,
            [this] { QTimer::singleShot(0, this, &DocumentArea::currentChanged); });
    addSubWindow(document);
    // Ctrl+W is File > Close, which closes the active window wherever the focus is;
    // the window's own close key beside it would make the key do nothing at all.
    if (QMenu *menu = document->systemMenu()) {
        for (QAction *action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcuts({});
    }
    document->show();
    setActiveSubWindow(document);
    m_current = document;
    escapeTabTexts();
}

frmDocument *DocumentArea::activeDocument() const
{
    if (m_current && !m_current->isHidden())
        return m_current;
    return qobject_cast<frmDocument *>(currentSubWindow());
}

QList<frmDocument *> DocumentArea::documents() const
{
    QList<frmDocument *> result;
    for (QMdiSubWindow *window : subWindowList(QMdiArea::CreationOrder))
        if (auto *document = qobject_cast<frmDocument *>(window))
            result.append(document);
    return result;
}

void DocumentArea::setTabbed(bool tabbed)
{
    setViewMode(tabbed ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    escapeTabTexts();
    emit currentChanged();
}

// The area sets a tab's text from its window's title as it changes; ours follows.
bool DocumentArea::eventFilter(QObject *watched, QEvent *event)
{
    const bool handled = QMdiArea::eventFilter(watched, event);
    if (event->type() == QEvent::WindowTitleChange && qobject_cast<QMdiSubWindow *>(watched))
        escapeTabTexts();
    return handled;
}

// A tab takes "&" for a mnemonic, as the Window menu would; "a&b" is meant as written.
// The area keeps its tabs in the order of its window list.
void DocumentArea::escapeTabTexts()
{
    const QList<QMdiSubWindow *> windows = subWindowList(QMdiArea::CreationOrder);
    for (QTabBar *bar : findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly))
        for (int i = 0; i < qMin(bar->count(), int(windows.size())); ++i)
            if (const QString title = windows.at(i)->windowTitle(); !title.isEmpty())
                bar->setTabText(i, QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

bool DocumentArea::currentFills() const
{
    const frmDocument *document = activeDocument();
    return document && (document->isMaximized() || viewMode() == QMdiArea::TabbedView);
}
