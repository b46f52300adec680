#include "WaitOptions.h"

#include "NetSettings.h"
#include "core/RunningSettings.h"
#include "core/Prompts.h"
#include "platform/NumberFieldGuard.h"
#include "platform/PanelLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using PanelLayout::named;

namespace {

// Empty, or a whole number of 1 to 60000 milliseconds without a leading zero.
const NumberFieldGuard::Rules Waits{5, NetSettings::MaxWait, QStringLiteral("允许最大值为60000各千分之一秒，即60秒或者1分钟")};

} // namespace

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

    for (QLineEdit *wait : {txtPingtime, txtNetstattime})
        new NumberFieldGuard(wait, Waits, [this, &prompts](const QString &why) {
            prompts.message(window(), why, QStringLiteral("错误"), Prompts::Critical);
        });
}

void WaitOptions::apply(RunningSettings &settings, QString *error)
{
    // The fields hold whole numbers by now: refusal() turned away anything else.
    settings.setNumber(NetSettings::PingTime, txtPingtime->text().toInt(), error);
    settings.setNumber(NetSettings::NetStatTime, txtNetstattime->text().toInt(), error);
}

// The tools refuse to run without a wait; a stored one may never have passed the typing checks.
OptionsSection::Refusal WaitOptions::refusal() const
{
    for (const auto &[field, tool] : {std::pair{txtPingtime, "Ping"}, std::pair{txtNetstattime, "Netstat"}}) {
        const QString name = QLatin1String(tool) + QStringLiteral("等待时间");
        if (field->text().isEmpty())
            return {name + QStringLiteral("不能为空，请填写 1-60000（千分之一秒）"), field};
        if (const QString why = NumberFieldGuard::problem(field->text(), Waits); !why.isEmpty())
            return {name + QStringLiteral("：") + why, field};
    }
    return {};
}

void WaitOptions::cmdSettoDefaultTime_Click()
{
    txtPingtime->setText(NetSettings::PingTime.defaultValue);
    txtNetstattime->setText(NetSettings::NetStatTime.defaultValue);
}
