#include "ToolsPage.h"

#include "core/RunningSettings.h"
#include "document/SubsystemContext.h"
#include "platform/PanelLayout.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

using namespace PanelLayout;

ToolsPage::ToolsPage(const SubsystemContext &context, QWidget *parent)
    : PanelPage(Tools, QStringLiteral("实用工具"), parent), txtLocalIP(named(new QLineEdit(QStringLiteral("本地IP：")), "txtLocalIP")),
      IPrefresh(fixedButton("IPrefresh", QStringLiteral("刷新"), 615)), txtPINGHOST(named(new QLineEdit, "txtPINGHOST")),
      cmdPING(fixedButton("cmdPING", QStringLiteral("PING"), 615)),
      cmdViewLOCALport(fixedButton("cmdViewLOCALport", QStringLiteral("察看活动连接及端口(NetStat)"), 2895)),
      txtCommandOUTPUT(named(new QPlainTextEdit(QStringLiteral("命令输出\n")), "txtCommandOUTPUT")),
      Timer1(named(new QTimer(this), "Timer1")), Timer2(named(new QTimer(this), "Timer2"))
{
    const RunningSettings &settings = *context.settings;
    const std::pair<QTimer *, double (RunningSettings::*)() const> waits[] = {
        {Timer1, &RunningSettings::PingTime}, {Timer2, &RunningSettings::NetStatTime}};
    for (const auto &[timer, wait] : waits) {
        timer->setSingleShot(true);
        timer->setInterval(int((settings.*wait)()));
    }
    connect(&settings, &RunningSettings::PingTimeChanged, Timer1, [this](double ms) { Timer1->setInterval(int(ms)); });
    connect(&settings, &RunningSettings::NetStatTimeChanged, Timer2, [this](double ms) { Timer2->setInterval(int(ms)); });
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(RowGap);
    grid->addWidget(txtLocalIP, 0, 0);
    grid->addWidget(IPrefresh, 0, 1);
    grid->addWidget(txtPINGHOST, 1, 0);
    grid->addWidget(cmdPING, 1, 1);
    grid->addWidget(cmdViewLOCALport, 2, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(txtCommandOUTPUT, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);
    connect(IPrefresh, &QPushButton::clicked, this, &ToolsPage::localAddressRefreshRequested);
}
