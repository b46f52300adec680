#pragma once

#include "platform/PanelPage.h"

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

    explicit MailPage(QWidget *parent = nullptr);

private:
    QLineEdit *txtMailTO;
    QLineEdit *txtMailSubject;
    QPlainTextEdit *txtMail;
    QPushButton *cmdMailSend;
    QPushButton *cmdMailReset;
    QLabel *StatusTXT;
};
