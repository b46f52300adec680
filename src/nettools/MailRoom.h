#pragma once

#include "document/Room.h"
#include "document/SubsystemContext.h"

// The mail: its page, File > 发送, and the sender's identity in the options.
class MailRoom : public Room
{
    Q_OBJECT
public:
    explicit MailRoom(const SubsystemContext &context, QObject *parent = nullptr);

    void install(const RoomSlots &where) override;
    QList<OptionsSection *> optionsSections() override;

private:
    SubsystemContext m_context;
};
