#include "CredentialsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CredentialsDialog::CredentialsDialog(const QString &text, QWidget *parent)
    : QDialog(parent), m_user(new QLineEdit), m_password(new QLineEdit)
{
    setWindowTitle(QStringLiteral("需要身份验证"));
    m_password->setEchoMode(QLineEdit::Password);
    auto *form = new QFormLayout(this);
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    form->addRow(label);
    form->addRow(QStringLiteral("用户名："), m_user);
    form->addRow(QStringLiteral("密码："), m_password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString CredentialsDialog::user() const { return m_user->text(); }
QString CredentialsDialog::password() const { return m_password->text(); }
