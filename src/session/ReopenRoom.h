#pragma once

#include "OpenWindows.h"
#include "document/AppContext.h"
#include "document/Room.h"

class QAction;

// Window > 恢复关闭的窗口 (Ctrl+Shift+T): the last closed document windows of this
// run, opened again most recent first.
class ReopenRoom : public Room
{
    Q_OBJECT
public:
    explicit ReopenRoom(const AppContext &context, QObject *parent = nullptr);

    void install(const RoomAnchors &where) override;

    static constexpr int Kept = 20;

private:
    void closed(const PageEntry &page);
    void reopen();

    AppContext m_context;
    OpenWindows m_windows;
    QList<PageEntry> m_closed; // oldest first
    QAction *m_entry = nullptr;
};
