#include "Rooms.h"

#include "HelpRoom.h"
#include "autotext/AutotextRoom.h"
#include "bookmarks/BookmarkRoom.h"
#include "document/AppContext.h"
#include "linktools/LinkTools.h"
#include "nettools/MailRoom.h"
#include "nettools/ToolsRoom.h"
#include "options/OptionsRoom.h"
#include "search/SearchRoom.h"
#include "session/RecoveryRoom.h"
#include "session/ReopenRoom.h"

#include <QWidget>

void Rooms::beforeFirstPage(const AppContext &context)
{
    SearchRoom::beforeFirstPage(context);
    OptionsRoom::beforeFirstPage(context);
}

QList<Room *> Rooms::make(const AppContext &context, QWidget *owner)
{
    return {
        new SearchRoom(context, owner), new BookmarkRoom(context, owner), new OptionsRoom(context, owner),
        new AutotextRoom(context, owner), new MailRoom(context, owner),  new ToolsRoom(context, owner),
        new HelpRoom(context, owner),     new LinkTools(context, nullptr, owner),
        new ReopenRoom(context, owner),   new RecoveryRoom(context, owner),
    };
}
