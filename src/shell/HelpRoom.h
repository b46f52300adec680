#pragma once

#include "document/AppContext.h"
#include "document/Room.h"

// The help: its page, which shows help.htm, and Help > 目录 (F1).
class HelpRoom : public Room
{
    Q_OBJECT
public:
    explicit HelpRoom(const AppContext &context, QObject *parent = nullptr);

    void install(const RoomAnchors &where) override;

private:
    AppContext m_context;
};
