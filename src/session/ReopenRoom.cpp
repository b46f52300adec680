#include "ReopenRoom.h"

#include "document/Documents.h"
#include "document/RoomAnchors.h"

#include <QAction>

ReopenRoom::ReopenRoom(const AppContext &context, QObject *parent)
    : Room(parent), m_context(context), m_windows(*context.documents)
{
    connect(&m_windows, &OpenWindows::closed, this, &ReopenRoom::closed);
}

void ReopenRoom::install(const RoomAnchors &where)
{
    m_entry = entry(QStringLiteral("恢复关闭的窗口"), "mnuWindowReopen", [this] { reopen(); });
    m_entry->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    m_entry->setEnabled(!m_closed.isEmpty());
    where.windowMenu.add(m_entry);
}

void ReopenRoom::closed(const PageEntry &page)
{
    // A window that never showed a page has nothing to bring back.
    if (page.address.isEmpty())
        return;
    m_closed.append(page);
    if (m_closed.size() > Kept)
        m_closed.removeFirst();
    if (m_entry)
        m_entry->setEnabled(true);
}

void ReopenRoom::reopen()
{
    if (m_closed.isEmpty())
        return;
    m_context.documents->navigateNew(m_closed.takeLast().address);
    m_entry->setEnabled(!m_closed.isEmpty());
}
