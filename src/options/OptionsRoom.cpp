#include "OptionsRoom.h"

#include "HomeOptions.h"
#include "MultimediaSwitches.h"
#include "document/RoomSlots.h"
#include "frmOptions.h"

#include <QAction>

OptionsRoom::OptionsRoom(const SubsystemContext &context, QWidget *owner)
    : Room(owner), m_context(context), m_owner(owner),
      m_switches(new MultimediaSwitches(*context.browsers, *context.settings, *context.prompts, owner))
{
}

void OptionsRoom::load() { m_switches->load(); }

void OptionsRoom::install(const RoomSlots &where)
{
    m_switches->addTo(where.viewMenu, where.viewSwitchesEnd);
    for (QAction *command : where.optionsCommands)
        connect(command, &QAction::triggered, this, &OptionsRoom::mnuViewOptions_Click);
    m_rooms = where.rooms;
}

QList<OptionsSection *> OptionsRoom::optionsSections() { return {new HomeOptions(m_context)}; }

void OptionsRoom::mnuViewOptions_Click()
{
    frmOptions dialog(m_rooms, *m_context.settings, *m_context.prompts, m_owner);
    dialog.exec();
}
