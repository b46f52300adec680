#pragma once

#include "document/OptionsSection.h"

class QLineEdit;
class QPushButton;

// The mail identity of the options dialog: the server, the sender's name and address.
class MailOptions : public OptionsSection
{
    Q_OBJECT
public:
    explicit MailOptions(const RunningSettings &settings, QWidget *parent = nullptr);

    void apply(RunningSettings &settings, QString *error) override;
    Refusal refusal() const override;
    void cmdSetEmailToanyones_Click();

private:
    QLineEdit *txtSmtpServer;
    QLineEdit *txtUserName;
    QLineEdit *txtMyEmail;
    QPushButton *cmdSetEmailToanyones;
};
