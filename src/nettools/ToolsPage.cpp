#include "ToolsPage.h"

#include "CommandRunner.h"
#include "LocalAddress.h"
#include "platform/PanelLayout.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace PanelLayout;

ToolsPage::ToolsPage(const AppContext &context, QWidget *parent)
    : PanelPage(Id, Caption, parent), txtLocalIP(named(new QLineEdit(QStringLiteral("本地IP：")), "txtLocalIP")),
      IPrefresh(fixedButton("IPrefresh", QStringLiteral("刷新"), 615)), txtPINGHOST(named(new QLineEdit, "txtPINGHOST")),
      cmdPING(fixedButton("cmdPING", QStringLiteral("PING"), 615)),
      cmdViewLOCALport(fixedButton("cmdViewLOCALport", QStringLiteral("察看活动连接及端口(NetStat)"), 2895)),
      txtCommandOUTPUT(named(new QPlainTextEdit(QStringLiteral("命令输出\r\n")), "txtCommandOUTPUT")),
      m_ping(new CommandRunner(CommandRunner::Ping, context, this)),
      m_netstat(new CommandRunner(CommandRunner::Netstat, context, this))
{
    // Commands line their columns up with blanks.
    txtCommandOUTPUT->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtCommandOUTPUT->setLineWrapMode(QPlainTextEdit::NoWrap);
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
    connect(IPrefresh, &QPushButton::clicked, this, &ToolsPage::IPrefresh_Click);
    for (auto [button, runner] : {std::pair{cmdPING, m_ping}, {cmdViewLOCALport, m_netstat}}) {
        connect(button, &QPushButton::clicked, runner, [this, runner = runner] {
            runner->start(txtPINGHOST->text(), txtCommandOUTPUT->toPlainText().size());
        });
        connect(runner, &CommandRunner::cleared, txtCommandOUTPUT, &QPlainTextEdit::clear);
        connect(runner, &CommandRunner::appended, this, &ToolsPage::append);
    }
    // The range grows again once the new lines are laid out and the sideways bar comes:
    // a view at the end stays there.
    QScrollBar *lines = txtCommandOUTPUT->verticalScrollBar();
    connect(lines, &QScrollBar::valueChanged, this, [this, lines](int value) { m_atEnd = value == lines->maximum(); });
    connect(lines, &QScrollBar::rangeChanged, this, [this, lines](int, int maximum) {
        if (m_atEnd)
            lines->setValue(maximum);
    });
}

void ToolsPage::IPrefresh_Click() { txtLocalIP->setText(QStringLiteral("本地IP：") + LocalAddress::primary()); }

void ToolsPage::append(const QString &text)
{
    QTextCursor end(txtCommandOUTPUT->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    // Down to the new lines, without scrolling sideways to the end of the last one.
    QScrollBar *lines = txtCommandOUTPUT->verticalScrollBar();
    lines->setValue(lines->maximum());
    m_atEnd = true;
}
