#include "HelpRoom.h"

#include "HelpPage.h"
#include "document/RoomAnchors.h"

#include <QAction>

HelpRoom::HelpRoom(const AppContext &context, QObject *parent)
    : Room(HelpPage::Id, HelpPage::Caption,
           [this] { return new HelpPage(*m_context.browsers, m_context.programFile(QStringLiteral("help.htm"))); }, parent),
      m_context(context)
{
}

void HelpRoom::install(const RoomAnchors &where)
{
    QAction *contents = entry(QStringLiteral("目录(&C)"), "mnuHelpContents", [this] { m_context.showPage(pageId(), false); });
    contents->setShortcut(Qt::Key_F1);
    where.helpMenu.add(contents);
}
