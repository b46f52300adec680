#pragma once

#include "document/Room.h"
#include "document/AppContext.h"

// The network tools: their page, and the waits of Ping and Netstat in the options.
class ToolsRoom : public Room
{
    Q_OBJECT
public:
    explicit ToolsRoom(const AppContext &context, QObject *parent = nullptr);

    QList<OptionsSection *> optionsSections() override;

private:
    AppContext m_context;
};
