#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class Prompts;
class SecretStore;
class QWidget;

// The passwords of mail accounts: kept in memory for the run, and in the desktop's keyring
// when the user asks for it; never in a file of ours.
class MailPasswords : public QObject
{
    Q_OBJECT
public:
    // owner: where the question is asked. note: where a keyring failure is told.
    MailPasswords(SecretStore *secrets, Prompts &prompts, QWidget *owner, std::function<void(const QString &)> note);

    // done gets the password of account on server: known from this run, kept in the keyring
    // or asked for; a null text when the user cancels the question.
    void get(const QString &account, const QString &server, std::function<void(const QString &)> done);
    // The server refused it: neither the run nor the keyring keeps it any longer.
    void forget(const QString &account, const QString &server);

private:
    void ask(const QString &account, const QString &server, const std::function<void(const QString &)> &done);
    static QString key(const QString &account, const QString &server);

    SecretStore *m_secrets;
    Prompts &m_prompts;
    QWidget *m_owner;
    std::function<void(const QString &)> m_note;
    QHash<QString, QString> m_known;
};
