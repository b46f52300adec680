#pragma once

#include "SmtpAddress.h"
#include "core/Prompts.h"

#include <QList>
#include <QObject>
#include <QSslError>
#include <QString>
#include <QStringDecoder>

#include <functional>

class QSslSocket;
class QTimer;

// Delivers one message by talking SMTP with a server, step by step as its replies
// arrive; each wait for a reply has a timer of its own, so nothing polls or blocks.
// With a port written after the server, it speaks ESMTP: TLS (from the first byte or
// by STARTTLS) and a login when the server asks for one.
class SmtpSender : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReplyWait = 50000;
    static inline const QByteArray HeloName = QByteArrayLiteral("vantorel.localdomain");

    // replyWait: how long each step waits for the server's reply, in milliseconds.
    explicit SmtpSender(int replyWait = ReplyWait, const SmtpPorts &ports = {}, QObject *parent = nullptr);

    // MailServerName is a host, optionally with ":port".
    void SendEmail(const QString &MailServerName, const QString &FromName, const QString &FromEmailAddress,
                   const QString &ToName, const QString &ToEmailAddress, const QString &EmailSubject,
                   const QString &EmailBodyOfMessage);
    bool sending() const { return m_step >= 0; }
    // Answers passwordNeeded; a null password gives the send up.
    void login(const QString &password);
    // What has arrived of the server's reply and is not yet judged.
    QString LastReply;

signals:
    void statusChanged(const QString &text);
    void report(const QString &text, const QString &title, Prompts::Icon icon);
    // The server wants a login; the dialogue waits for login(). account is the sender's address.
    void passwordNeeded(const QString &account, const QString &server);
    void passwordRefused(const QString &account, const QString &server);
    // The dialogue is over, however it ended.
    void finished();

private:
    struct Step {
        QString statusBefore;
        QByteArray command;
        QString statusAfter;
        QString code; // the reply that lets the dialogue go on
        // What the accepted reply leads to; false while the dialogue waits for something
        // other than the server: the TLS handshake or a password.
        std::function<bool(const QString &reply)> then = {};
        bool login = false;
    };

    void runStep();
    void WaitFor(const QString &ResponseCode);
    void dataArrival();
    void judge();
    void nextStep();
    void timedOut();
    void rejected(const QString &reply);
    void giveUp(const QString &text, Prompts::Icon icon);
    void failed();
    void socketError();
    void end(bool failure);

    QList<Step> esmtpGreeting();
    bool greeted(const QString &reply);
    bool startTls();
    void encrypted();
    QList<Step> loginSteps(const QString &password) const;

    QSslSocket *Winsock1;
    QTimer *m_wait;
    SmtpPorts m_ports;
    SmtpAddress m_server;
    QString m_account;
    QStringList m_mechanisms; // of AUTH, as the server offered them
    QList<QSslError> m_sslErrors;
    QStringDecoder m_decoder;
    QList<Step> m_steps;
    qsizetype m_step = -1;
    QString m_expected; // the code the current wait is for
    enum class Waiting { Server, Handshake, Password };
    Waiting m_waiting = Waiting::Server;
};
