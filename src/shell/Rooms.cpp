#include "Rooms.h"

#include "HelpPage.h"
#include "autotext/AutotextPage.h"
#include "bookmarks/BookmarkRoom.h"
#include "document/SubsystemContext.h"
#include "linktools/LinkTools.h"
#include "nettools/MailRoom.h"
#include "nettools/ToolsRoom.h"
#include "options/OptionsRoom.h"
#include "search/SearchRoom.h"

QList<Room *> Rooms::make(const SubsystemContext &context, QWidget *owner)
{
    const QString help = context.programFolder + QStringLiteral("/help.htm");
    return {
        new SearchRoom(context, owner),
        new BookmarkRoom(context, owner),
        new OptionsRoom(context, owner),
        new Room(AutotextPage::Id, AutotextPage::Caption, [context] {
            auto *page = new AutotextPage(context);
            page->LoadAutotxt();
            return page;
        }, owner),
        new MailRoom(context, owner),
        new ToolsRoom(context, owner),
        new Room(HelpPage::Id, HelpPage::Caption, [browsers = context.browsers, help] {
            return new HelpPage(*browsers, help);
        }, owner),
        new LinkTools(context, nullptr, owner),
    };
}
