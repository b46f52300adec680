#include "ToolsRoom.h"

#include "ToolsPage.h"
#include "WaitOptions.h"

ToolsRoom::ToolsRoom(const AppContext &context, QObject *parent)
    : Room(ToolsPage::Id, ToolsPage::Caption, [this] { return new ToolsPage(m_context); }, parent), m_context(context)
{
}

QList<OptionsSection *> ToolsRoom::optionsSections()
{
    return {new WaitOptions(*m_context.settings, *m_context.prompts)};
}
