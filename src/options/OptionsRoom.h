#pragma once

#include "document/AppContext.h"
#include "document/Room.h"

class MultimediaSwitches;

// The program's options: the dialog made of every room's sections, its three ways in
// (View and Tools > 选项, the toolbar's 设置), the View menu's media switches, the home
// page and the desktop launcher.
class OptionsRoom : public Room
{
    Q_OBJECT
public:
    // Settings that cannot be saved are said to owner.
    OptionsRoom(const AppContext &context, QWidget *owner);

    // The stored media switches, before the first page loads.
    static void beforeFirstPage(const AppContext &context);
    void load() override;
    void install(const RoomAnchors &where) override;
    QList<OptionsSection *> optionsSections() override;
    // Opens the dialog, with the sections of every room in order.
    void mnuViewOptions_Click();

private:
    AppContext m_context;
    QWidget *m_owner;
    MultimediaSwitches *m_switches;
    QList<Room *> m_rooms;
};
