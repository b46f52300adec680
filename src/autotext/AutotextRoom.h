#pragma once

#include "document/AppContext.h"
#include "document/Room.h"

// The snippets: their page, loaded when it is first shown.
class AutotextRoom : public Room
{
    Q_OBJECT
public:
    explicit AutotextRoom(const AppContext &context, QObject *parent = nullptr);

private:
    AppContext m_context;
};
