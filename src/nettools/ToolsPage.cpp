#include "ToolsPage.h"

#include "NetSettings.h"
#include "document/SubsystemContext.h"
#include "platform/PanelLayout.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

using namespace PanelLayout;

ToolsPage::ToolsPage(const SubsystemContext &context, QWidget *parent)
    : PanelPage(Id, Caption, parent), txtLocalIP(named(new QLineEdit(QStringLiteral("本地IP：")), "txtLocalIP")),
      IPrefresh(fixedButton("IPrefresh", QStringLiteral("刷新"), 615)), txtPINGHOST(named(new QLineEdit, "txtPINGHOST")),
      cmdPING(fixedButton("cmdPING", QStringLiteral("PING"), 615)),
      cmdViewLOCALport(fixedButton("cmdViewLOCALport", QStringLiteral("察看活动连接及端口(NetStat)"), 2895)),
      txtCommandOUTPUT(named(new QPlainTextEdit(QStringLiteral("命令输出\n")), "txtCommandOUTPUT")),
      Timer1(named(new QTimer(this), "Timer1")), Timer2(named(new QTimer(this), "Timer2"))
{
    RunningSettings &settings = *context.settings;
    for (const auto &[timer, key] : {std::pair{Timer1, &NetSettings::PingTime}, {Timer2, &NetSettings::NetStatTime}}) {
        timer->setSingleShot(true);
        timer->setInterval(NetSettings::wait(settings, *key));
        settings.follow(*key, timer, [timer, &settings, key](const QString &) { timer->setInterval(NetSettings::wait(settings, *key)); });
    }
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
