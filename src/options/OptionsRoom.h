#pragma once

#include "document/Room.h"
#include "document/SubsystemContext.h"

class MultimediaSwitches;

// The program's options: the dialog made of every room's sections, the View
// menu's media switches, the home page and the desktop launcher.
class OptionsRoom : public Room
{
    Q_OBJECT
public:
    // Settings that cannot be saved are said to owner.
    OptionsRoom(const SubsystemContext &context, QWidget *owner);

    void load() override;
    void install(const RoomSlots &where) override;
    QList<OptionsSection *> optionsSections() override;
    // Opens the dialog, with the sections of every room in order.
    void mnuViewOptions_Click();

private:
    SubsystemContext m_context;
    QWidget *m_owner;
    MultimediaSwitches *m_switches;
    QList<Room *> m_rooms;
};
