#pragma once

#include "core/Prompts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringDecoder>

class QTcpSocket;
class QTimer;

// Delivers one message by talking SMTP with a server, step by step as its replies
// arrive; each wait for a reply has a timer of its own, so nothing polls or blocks.
class SmtpSender : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReplyWait = 50000;
    static constexpr quint16 Port = 25;
    static inline const QByteArray HeloName = QByteArrayLiteral("vantorel.localdomain");

    // replyWait: how long each step waits for the server's reply, in milliseconds.
    explicit SmtpSender(int replyWait = ReplyWait, QObject *parent = nullptr);

    // MailServerName is a host, optionally with ":port".
    void SendEmail(const QString &MailServerName, const QString &FromName, const QString &FromEmailAddress,
                   const QString &ToName, const QString &ToEmailAddress, const QString &EmailSubject,
                   const QString &EmailBodyOfMessage);
    bool sending() const { return m_step >= 0; }
    // What has arrived of the server's reply and is not yet judged.
    QString LastReply;

signals:
    void statusChanged(const QString &text);
    void report(const QString &text, const QString &title, Prompts::Icon icon);
    // The dialogue is over, however it ended.
    void finished();

private:
    struct Step {
        QString statusBefore;
        QByteArray command;
        QString statusAfter;
        QString code; // the reply that lets the dialogue go on
    };

    void runStep();
    void WaitFor(const QString &ResponseCode);
    void dataArrival();
    void judge();
    void nextStep();
    void timedOut();
    void rejected(const QString &reply);
    void failed();
    void end(bool failure);

    QTcpSocket *Winsock1;
    QTimer *m_wait;
    QStringDecoder m_decoder;
    QList<Step> m_steps;
    qsizetype m_step = -1;
    QString m_expected; // the code the current wait is for
};
