#include "MailRoom.h"

#include "MailOptions.h"
#include "MailPage.h"
#include "document/RoomAnchors.h"

#include <QAction>

MailRoom::MailRoom(const AppContext &context, QObject *parent)
    : Room(MailPage::Id, MailPage::Caption, [this] { return new MailPage(m_context); }, parent), m_context(context)
{
}

void MailRoom::install(const RoomAnchors &where)
{
    where.fileMenu.add(entry(QStringLiteral("发送(&D)..."), "mnuFileSend", [this] { m_context.showPage(pageId(), false); }));
}

QList<OptionsSection *> MailRoom::optionsSections() { return {new MailOptions(*m_context.settings)}; }
