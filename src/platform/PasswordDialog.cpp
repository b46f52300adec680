#include "PasswordDialog.h"

#include "core/AppInfo.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(const QString &text, const QString &keepNote, QWidget *parent)
    : QDialog(parent), m_password(new QLineEdit), m_remember(new QCheckBox(QStringLiteral("记住密码")))
{
    setWindowTitle(AppTitle);
    setObjectName(QStringLiteral("PasswordDialog"));
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_remember->setObjectName(QStringLiteral("chkRemember"));
    m_remember->setEnabled(keepNote.isEmpty());
    m_remember->setToolTip(keepNote);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    layout->addWidget(label);
    layout->addWidget(m_password);
    layout->addWidget(m_remember);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false); // no login goes out with an empty password
    connect(m_password, &QLineEdit::textChanged, ok, [ok](const QString &typed) { ok->setEnabled(!typed.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QString PasswordDialog::password() const { return m_password->text(); }
bool PasswordDialog::remember() const { return m_remember->isChecked(); }
