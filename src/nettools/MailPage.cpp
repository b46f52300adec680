#include "MailPage.h"

#include "MailMessage.h"
#include "MailPasswords.h"
#include "MailRecipients.h"
#include "NetSettings.h"
#include "core/RunningSettings.h"
#include "platform/PanelLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

using namespace PanelLayout;

MailPage::MailPage(const AppContext &context, int replyWait, const SmtpPorts &ports, QWidget *parent)
    : PanelPage(Id, Caption, parent), m_context(context), m_sender(new SmtpSender(replyWait, ports, this)),
      m_passwords(new MailPasswords(context.secrets, *context.prompts, this, context.note)),
      txtMailTO(named(new QLineEdit(QStringLiteral("收件人地址")), "txtMailTO")),
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
    // A letter keeps its lines as typed; both bars scroll it, as a mail editor does.
    txtMail->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtMail->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMail->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addLayout(buttonRow({cmdMailSend, cmdMailReset}));
    layout->addWidget(StatusTXT);
    connect(cmdMailSend, &QPushButton::clicked, this, &MailPage::cmdMailSend_Click);
    connect(cmdMailReset, &QPushButton::clicked, this, &MailPage::cmdMailReset_Click);
    connect(m_sender, &SmtpSender::statusChanged, StatusTXT, &QLabel::setText);
    connect(m_sender, &SmtpSender::finished, cmdMailSend, [this] {
        cmdMailSend->setEnabled(true);
        // Disabling the button moved its focus on to 重写, where a key would clear the message;
        // the window may be behind the password question, which gives the focus back to it.
        if (window()->focusWidget() == cmdMailReset)
            cmdMailSend->setFocus();
    });
    connect(m_sender, &SmtpSender::passwordNeeded, this, [this](const QString &account, const QString &server) {
        m_passwords->get(account, server, [this](const QString &password) { m_sender->login(password); });
    });
    connect(m_sender, &SmtpSender::passwordRefused, m_passwords, &MailPasswords::forget);
    connect(m_sender, &SmtpSender::report, this, [this](const QString &text, const QString &title, Prompts::Icon icon) {
        m_context.prompts->notify(window(), text, title, icon);
    });
}

void MailPage::cmdMailSend_Click()
{
    const RunningSettings &settings = *m_context.settings;
    const QStringList identity{settings.text(NetSettings::SmtpServer), settings.text(NetSettings::UserName),
                               settings.text(NetSettings::MyEmail)};
    if (const QString why = refusal(identity); !why.isEmpty()) {
        m_context.prompts->message(window(), why, QStringLiteral("Error"), Prompts::Information);
        return;
    }
    cmdMailSend->setEnabled(false);
    m_sender->SendEmail(identity.at(0), identity.at(1), identity.at(2), txtMailTO->text(), txtMailTO->text(),
                        txtMailSubject->text(), txtMail->toPlainText());
}

QString MailPage::refusal(const QStringList &settings) const
{
    if (settings.contains(QString()))
        return QStringLiteral("设置不正确，请在选项/邮件中设置");
    if (const QString why = SmtpAddress::refusal(settings.at(0)); !why.isEmpty())
        return why;
    if (txtMailTO->text().isEmpty() || txtMailSubject->text().isEmpty() || txtMail->toPlainText().isEmpty())
        return QStringLiteral("没有填写收件人，或者邮件主题，或者邮件内容");
    // A line break would end a command or a header early and start one of its own.
    const QStringList lines = settings + QStringList{txtMailTO->text(), txtMailSubject->text()};
    if (std::any_of(lines.begin(), lines.end(), MailMessage::hasControlCharacter))
        return QStringLiteral("收件人、主题和邮件设置中不能含有换行符或控制字符");
    if (const MailRecipients to = MailRecipients::parse(txtMailTO->text()); !to.ok())
        return QStringLiteral("收件人地址无效：") + to.invalid;
    return {};
}

// Each field keeps what it held in its undo history: Ctrl+Z there brings it back.
void MailPage::cmdMailReset_Click()
{
    for (QLineEdit *field : {txtMailTO, txtMailSubject}) {
        field->selectAll();
        field->del();
    }
    QTextCursor all(txtMail->document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
}
