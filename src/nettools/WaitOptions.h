#pragma once

#include "document/OptionsSection.h"

class Prompts;
class QLineEdit;
class QPushButton;

// The waits of Ping and Netstat in the options dialog, in milliseconds.
class WaitOptions : public OptionsSection
{
    Q_OBJECT
public:
    WaitOptions(const RunningSettings &settings, Prompts &prompts, QWidget *parent = nullptr);

    void apply(RunningSettings &settings, QString *error) override;
    Refusal refusal() const override;
    void cmdSettoDefaultTime_Click();

private:
    QLineEdit *txtPingtime;
    QLineEdit *txtNetstattime;
    QPushButton *cmdSettoDefaultTime;
};
