#pragma once

#include "document/Room.h"
#include "document/AppContext.h"

// The mail: its page, File > 发送, and the sender's identity in the options.
class MailRoom : public Room
{
    Q_OBJECT
public:
    explicit MailRoom(const AppContext &context, QObject *parent = nullptr);

    void install(const RoomAnchors &where) override;
    QList<OptionsSection *> optionsSections() override;

private:
    AppContext m_context;
};
