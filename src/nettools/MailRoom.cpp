#include "MailRoom.h"

#include "MailOptions.h"
#include "MailPage.h"
#include "document/RoomSlots.h"

#include <QAction>

MailRoom::MailRoom(const SubsystemContext &context, QObject *parent)
    : Room(MailPage::Id, MailPage::Caption, [this] { return new MailPage(m_context); }, parent), m_context(context)
{
}

void MailRoom::install(const RoomSlots &where)
{
    connect(where.sendCommand, &QAction::triggered, this, [this] { m_context.showPage(pageId(), false); });
}

QList<OptionsSection *> MailRoom::optionsSections() { return {new MailOptions(*m_context.settings)}; }
