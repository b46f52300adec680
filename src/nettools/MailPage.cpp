#include "MailPage.h"

#include "platform/PanelLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace PanelLayout;

MailPage::MailPage(QWidget *parent)
    : PanelPage(Id, Caption, parent), txtMailTO(named(new QLineEdit(QStringLiteral("收件人地址")), "txtMailTO")),
      txtMailSubject(named(new QLineEdit(QStringLiteral("主题")), "txtMailSubject")),
      txtMail(named(new QPlainTextEdit(QStringLiteral("邮件正文")), "txtMail")),
      cmdMailSend(fixedButton("cmdMailSend", QStringLiteral("发送"), 975)),
      cmdMailReset(fixedButton("cmdMailReset", QStringLiteral("重写"), 975)),
      StatusTXT(named(new QLabel(QStringLiteral("Winsock状态")), "StatusTXT"))
{
    // No gaps: the buttons start where the body ends and the status line where they end.
    QVBoxLayout *layout = column(this, 0);
    layout->addWidget(txtMailTO);
    layout->addWidget(txtMailSubject);
    layout->addWidget(txtMail, 1);
    layout->addLayout(buttonRow({cmdMailSend, cmdMailReset}));
    layout->addWidget(StatusTXT);
}
