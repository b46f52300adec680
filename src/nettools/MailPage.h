#pragma once

#include "SmtpSender.h"
#include "document/AppContext.h"
#include "platform/PanelPage.h"

class MailPasswords;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The mail tab of the side panel: recipient, subject, body, send and reset, and the
// status line of the connection.
class MailPage : public PanelPage
{
    Q_OBJECT
public:
    static inline const QString Id = QStringLiteral("mail");
    static inline const QString Caption = QStringLiteral("电子邮件");

    // replyWait: how long the sender waits for each reply of the server, in milliseconds;
    // ports: which ones are secured how.
    explicit MailPage(const AppContext &context, int replyWait = SmtpSender::ReplyWait,
                      const SmtpPorts &ports = {}, QWidget *parent = nullptr);

    void cmdMailSend_Click();
    void cmdMailReset_Click();

private:
    // The message of the first check the settings and fields fail, or an empty text.
    QString refusal(const QStringList &settings) const;

    AppContext m_context;
    SmtpSender *m_sender;
    MailPasswords *m_passwords;
    QLineEdit *txtMailTO;
    QLineEdit *txtMailSubject;
    QPlainTextEdit *txtMail;
    QPushButton *cmdMailSend;
    QPushButton *cmdMailReset;
    QLabel *StatusTXT;
};
