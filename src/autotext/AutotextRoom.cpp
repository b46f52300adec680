#include "AutotextRoom.h"

#include "AutotextPage.h"

AutotextRoom::AutotextRoom(const AppContext &context, QObject *parent)
    : Room(AutotextPage::Id, AutotextPage::Caption,
           [this] {
               auto *page = new AutotextPage(m_context);
               page->LoadAutotxt();
               return page;
           },
           parent),
      m_context(context)
{
}
