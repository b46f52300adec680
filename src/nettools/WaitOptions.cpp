#include "WaitOptions.h"

#include "NetSettings.h"
#include "core/Prompts.h"
#include "platform/NumberFieldGuard.h"
#include "platform/PanelLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using PanelLayout::named;

WaitOptions::WaitOptions(const RunningSettings &settings, Prompts &prompts, QWidget *parent)
    : OptionsSection(QStringLiteral("常规"), parent),
      txtPingtime(named(new QLineEdit(settings.text(NetSettings::PingTime)), "txtPingtime")),
      txtNetstattime(named(new QLineEdit(settings.text(NetSettings::NetStatTime)), "txtNetstattime")),
      cmdSettoDefaultTime(named(new QPushButton(QStringLiteral("默认值")), "cmdSettoDefaultTime"))
{
    auto *group = new QGroupBox(QStringLiteral("Ping、Netstat等待时间（单位：千分之一秒）"));
    auto *row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("Ping")));
    row->addWidget(txtPingtime);
    row->addWidget(new QLabel(QStringLiteral("Netstat")));
    row->addWidget(txtNetstattime);
    row->addWidget(cmdSettoDefaultTime);
    PanelLayout::column(this, 0)->addWidget(group);
    connect(cmdSettoDefaultTime, &QPushButton::clicked, this, &WaitOptions::cmdSettoDefaultTime_Click);

    // Empty, or a whole number of 1 to 60000 milliseconds without a leading zero.
    const NumberFieldGuard::Rules waits{5, NetSettings::MaxWait, QStringLiteral("允许最大值为60000各千分之一秒，即60秒或者1分钟")};
    for (QLineEdit *wait : {txtPingtime, txtNetstattime})
        new NumberFieldGuard(wait, waits, [this, &prompts](const QString &why) {
            prompts.message(window(), why, QStringLiteral("错误"), Prompts::Critical);
        });
}

void WaitOptions::apply(RunningSettings &settings, QString *error)
{
    settings.set(NetSettings::PingTime, txtPingtime->text(), error);
    settings.set(NetSettings::NetStatTime, txtNetstattime->text(), error);
}

void WaitOptions::cmdSettoDefaultTime_Click()
{
    txtPingtime->setText(NetSettings::PingTime.defaultValue);
    txtNetstattime->setText(NetSettings::NetStatTime.defaultValue);
}
