#pragma once

#include "PageFixture.h"
#include "nettools/MailPage.h"

#include <QJsonObject>

// The mail page on a fixture, with the identity set and the server named.
struct MailDesk {
    static constexpr int Forever = 600000; // a wait that never ends within a test
    static inline const QString Identity = QStringLiteral("张三");
    static inline const QString Address = QStringLiteral("zhang@example.com");

    explicit MailDesk(const QString &server, int wait = Forever, const QString &name = Identity,
                      const SmtpPorts &ports = {});
    // Replaces what field holds as a user does: Chinese through the input method, lines by Return.
    void type(const char *field, const QString &text);
    // Fills the fields and clicks 发送.
    void send(const QString &to, const QString &subject, const QString &body);
    QPushButton *sendButton() const { return fixture.field<QPushButton>("cmdMailSend"); }
    bool idle() const { return sendButton()->isEnabled() && !sender->sending(); }

    PageFixture fixture;
    MailPage *page;
    SmtpSender *sender;
};

// message as a real mail reader reads it: Python's email package with its default policy.
QJsonObject readMail(const QByteArray &message);
