#include "OptionsRoom.h"

#include "HomeOptions.h"
#include "MultimediaSwitches.h"
#include "document/RoomAnchors.h"
#include "frmOptions.h"
#include "platform/Images.h"

#include <QAction>

OptionsRoom::OptionsRoom(const AppContext &context, QWidget *owner)
    : Room(owner), m_context(context), m_owner(owner),
      m_switches(new MultimediaSwitches(*context.browsers, *context.settings, *context.prompts, owner))
{
}

void OptionsRoom::beforeFirstPage(const AppContext &context)
{
    MultimediaSwitches::applyStored(*context.browsers, *context.settings);
}

void OptionsRoom::load() { m_switches->load(); }

void OptionsRoom::install(const RoomAnchors &where)
{
    m_switches->addTo(where.viewSwitches);
    const auto open = [this] { mnuViewOptions_Click(); };
    where.viewMenu.add(entry(QStringLiteral("选项(&O)..."), "mnuViewOptions", open));
    where.toolsMenu.add(entry(QStringLiteral("选项(&O)..."), "mnuToolsOptions", open));
    QAction *button = entry(QStringLiteral("设置"), "option", open);
    button->setIcon(Images::icon(m_context.programFolder, QStringLiteral("option")));
    button->setToolTip(QStringLiteral("更改Vantorel设置"));
    where.toolButtons.add(button, QStringLiteral("option"));
    m_rooms = where.rooms;
}

QList<OptionsSection *> OptionsRoom::optionsSections() { return {new HomeOptions(m_context)}; }

void OptionsRoom::mnuViewOptions_Click()
{
    frmOptions dialog(m_rooms, *m_context.settings, *m_context.prompts, m_owner);
    dialog.exec();
}
