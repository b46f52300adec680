#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// A password for an account, and whether the keyring should keep it.
class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    // keepNote: when not empty, the keyring cannot keep it, and this says why.
    PasswordDialog(const QString &text, const QString &keepNote, QWidget *parent = nullptr);
    QString password() const;
    bool remember() const;

private:
    QLineEdit *m_password;
    QCheckBox *m_remember;
};
