#pragma once

#include <QDialog>

class QLineEdit;

// User name and password for a site or proxy that asks for them.
class CredentialsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CredentialsDialog(const QString &text, QWidget *parent = nullptr);
    QString user() const;
    QString password() const;

private:
    QLineEdit *m_user;
    QLineEdit *m_password;
};
