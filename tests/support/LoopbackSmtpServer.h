#pragma once

#include <QByteArrayList>
#include <QElapsedTimer>
#include <QHash>
#include <QTcpServer>

// An SMTP server on 127.0.0.1 for tests. It answers from a script: the greeting, then
// one reply to each command and one to each message after "data". A reply may come in
// pieces, separated by "|", each a packet of its own; an empty reply, or the end of
// the script, is silence. It records every byte it receives.
class LoopbackSmtpServer : public QTcpServer
{
    Q_OBJECT
public:
    static const QByteArrayList Accepting; // 220, 250, 250, 250, 354, 250, 221

    // holdMs: how long each reply is held back.
    explicit LoopbackSmtpServer(QByteArrayList script = Accepting, int holdMs = 0, QObject *parent = nullptr);

    // What the SMTP setting names to reach this server.
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }

    QByteArray received;      // from every client, in order
    QByteArrayList commands;  // the lines outside the messages, without their CR LF
    QByteArrayList messages;  // what followed each "data", dots undoubled, without the final "."
    bool clientClosed = false; // the last client hung up
    QElapsedTimer clock;
    qint64 lastReplyNs = -1, closedNs = -1; // on clock

signals:
    void closed();

private:
    struct Client {
        int next = 0;
        bool inData = false;
        QByteArray pending;
    };
    void hear(QTcpSocket *socket);
    void answer(QTcpSocket *socket);

    QByteArrayList m_script;
    int m_holdMs;
    QHash<QTcpSocket *, Client> m_clients;
};
