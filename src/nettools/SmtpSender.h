#pragma once

#include "MailMessage.h"
#include "SmtpAddress.h"
#include "SmtpLogin.h"
#include "SmtpReply.h"
#include "core/Prompts.h"

#include <QList>
#include <QObject>
#include <QSslError>
#include <QString>

#include <optional>

class QSslSocket;
class QTimer;

// Delivers one message by talking SMTP with a server, as explicit phases: each sends at
// most one line, waits for one reply under a timer of its own, and has one function that
// takes the reply it accepts on to the next phase. A reply it does not accept, a wait
// that runs out or a broken connection ends the dialogue: nothing is sent after it but
// "quit". With a port written after the server, it speaks ESMTP: TLS (from the first
// byte or by STARTTLS) and a login when the server asks for one.
class SmtpSender : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReplyWait = 50000;
    static inline const QByteArray HeloName = QByteArrayLiteral("vantorel.localdomain");

    // replyWait: how long each phase waits for the server's reply, in milliseconds.
    explicit SmtpSender(int replyWait = ReplyWait, const SmtpPorts &ports = {}, QObject *parent = nullptr);

    // MailServerName is a host, optionally with ":port"; ToEmailAddress names one
    // recipient or several (see MailRecipients).
    void SendEmail(const QString &MailServerName, const QString &FromName, const QString &FromEmailAddress,
                   const QString &ToName, const QString &ToEmailAddress, const QString &EmailSubject,
                   const QString &EmailBodyOfMessage);
    bool sending() const { return m_phase != Phase::Idle; }
    // Answers passwordNeeded; a null password gives the send up.
    void login(const QString &password);

signals:
    void statusChanged(const QString &text);
    void report(const QString &text, const QString &title, Prompts::Icon icon);
    // The server wants a login; the dialogue waits for login(). account is the sender's address.
    void passwordNeeded(const QString &account, const QString &server);
    void passwordRefused(const QString &account, const QString &server);
    // The dialogue is over, however it ended.
    void finished();

private:
    enum class Phase { Idle, Greeting, Hello, StartTls, Handshake, Password, Login, MailFrom, Recipient, Data, Message, Quit };

    void send(Phase phase, const QByteArray &line);
    void WaitFor(Phase phase);
    void dataArrival();
    void judge(const SmtpReply &reply);
    bool accepts(const SmtpReply &reply) const;
    QString expectedCode() const;

    void afterGreeting();
    void afterHello(const SmtpReply &reply);
    void afterStartTls();
    void afterHandshake();
    void afterLogin(const SmtpReply &reply);
    void afterMailFrom();
    void afterRecipient();
    void afterMessage();

    void mailFrom();
    QString refusalBeforeMail(const QList<QStringList> &extensions) const;
    void timedOut();
    void refused(const SmtpReply &reply);
    void giveUp(const QString &text, Prompts::Icon icon);
    void failed(const QString &reason);
    void socketError();
    // Done: the dialogue ran its course, or the user gave it up. Refused: "quit" was said
    // after a refusal. Broken: the connection is dropped as it is.
    enum class Ending { Done, Refused, Broken };
    void end(Ending ending);
    QString serverText(const QByteArray &bytes) const;

    QSslSocket *Winsock1;
    QTimer *m_wait;
    SmtpPorts m_ports;
    SmtpAddress m_server;
    SmtpReplyReader m_reader;
    std::optional<MailMessage> m_message;
    QByteArray m_content; // what follows "data", the final "." too
    QByteArray m_parameters; // of MAIL FROM, as the server's extensions allow
    bool m_utf8 = false;     // addresses as UTF-8, for SMTPUTF8
    QList<QByteArray> m_recipients; // the envelope commands, one a recipient
    qsizetype m_recipient = 0;
    QString m_account;
    const SmtpLogin *m_login = nullptr;
    SmtpLogin::Credentials m_credentials;
    int m_loginStep = 0;
    QList<QSslError> m_sslErrors;
    Phase m_phase = Phase::Idle;
};
