#include "MailOptions.h"

#include "NetSettings.h"
#include "core/RunningSettings.h"
#include "SmtpAddress.h"
#include "platform/PanelLayout.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using PanelLayout::named;

MailOptions::MailOptions(const RunningSettings &settings, QWidget *parent)
    : OptionsSection(QStringLiteral("邮件"), parent),
      txtSmtpServer(named(new QLineEdit(settings.text(NetSettings::SmtpServer)), "txtSmtpServer")),
      txtUserName(named(new QLineEdit(settings.text(NetSettings::UserName)), "txtUserName")),
      txtMyEmail(named(new QLineEdit(settings.text(NetSettings::MyEmail)), "txtMyEmail")),
      cmdSetEmailToanyones(named(new QPushButton(QStringLiteral("设置为匿名")), "cmdSetEmailToanyones"))
{
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("SMTP发件服务器"), txtSmtpServer);
    form->addRow(QStringLiteral("你的名字"), txtUserName);
    form->addRow(QStringLiteral("你的电子邮件"), txtMyEmail);
    auto *note = named(new QLabel(QStringLiteral("请保证你的名字出现在你的电子邮件地址的@符号前面，"
                                                 "否则会导致收邮件的一方看到你的邮件的发件人是错误的")),
                       "lblMailNote");
    note->setWordWrap(true);
    form->addRow(note);
    auto *ports = named(new QLabel(QStringLiteral("服务器可写成“主机:端口”。不写端口：25 端口，不加密也不登录；"
                                                  "465：一开始就加密；587 及其他端口：用 STARTTLS 加密。"
                                                  "服务器要求登录时，发送时会询问密码（或邮箱的授权码），用户名是你的电子邮件。")),
                        "lblServerNote");
    ports->setWordWrap(true);
    form->addRow(ports);
    form->addRow(QString(), cmdSetEmailToanyones);
    connect(cmdSetEmailToanyones, &QPushButton::clicked, this, &MailOptions::cmdSetEmailToanyones_Click);
}

void MailOptions::apply(RunningSettings &settings, QString *error)
{
    settings.set(NetSettings::SmtpServer, txtSmtpServer->text(), error);
    settings.set(NetSettings::UserName, txtUserName->text(), error);
    settings.set(NetSettings::MyEmail, txtMyEmail->text(), error);
}

// No server is no mail; a server the send would refuse is refused now.
OptionsSection::Refusal MailOptions::refusal() const
{
    const QString server = txtSmtpServer->text();
    return {server.isEmpty() ? QString() : SmtpAddress::refusal(server), txtSmtpServer};
}

void MailOptions::cmdSetEmailToanyones_Click()
{
    txtUserName->setText(QStringLiteral("AnyUser"));
    txtMyEmail->setText(QStringLiteral("AnyUser@example.com"));
}
