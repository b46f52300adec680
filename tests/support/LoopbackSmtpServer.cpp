#include "LoopbackSmtpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

const QByteArrayList LoopbackSmtpServer::Accepting{"220 loopback ESMTP\r\n", "250 loopback\r\n", "250 2.1.0 Ok\r\n",
                                                   "250 2.1.5 Ok\r\n", "354 End data with <CR><LF>.<CR><LF>\r\n",
                                                   "250 2.0.0 Ok: queued\r\n", "221 2.0.0 Bye\r\n"};

LoopbackSmtpServer::LoopbackSmtpServer(QByteArrayList script, int holdMs, QObject *parent)
    : QTcpServer(parent), m_script(std::move(script)), m_holdMs(holdMs)
{
    clock.start();
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            m_clients.insert(socket, Client{});
            clientClosed = false;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { hear(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                closedNs = clock.nsecsElapsed();
                clientClosed = true;
                m_clients.remove(socket);
                socket->deleteLater();
                emit closed();
            });
            answer(socket);
        }
    });
}

void LoopbackSmtpServer::hear(QTcpSocket *socket)
{
    const QByteArray bytes = socket->readAll();
    received += bytes;
    Client &client = m_clients[socket];
    client.pending += bytes;
    // A message ends at a line of one "."; it begins right after the CR LF of "data".
    for (qsizetype end; (end = client.inData ? ("\r\n" + client.pending).indexOf("\r\n.\r\n") : client.pending.indexOf("\r\n")) >= 0;) {
        if (client.inData) {
            QByteArray message = end > 0 ? "\r\n" + client.pending.left(end - 2) + "\r\n" : QByteArray();
            messages.append(message.replace("\r\n..", "\r\n.").mid(2));
            client.pending.remove(0, end + 3);
        } else {
            commands.append(client.pending.left(end));
            client.pending.remove(0, end + 2);
        }
        answer(socket);
    }
}

void LoopbackSmtpServer::answer(QTcpSocket *socket)
{
    Client &client = m_clients[socket];
    const QByteArray reply = m_script.value(client.next++);
    client.inData = reply.startsWith("354");
    const QByteArrayList pieces = reply.split('|');
    // Pieces 40 ms apart arrive apart.
    for (qsizetype i = 0; i < pieces.size() && !reply.isEmpty(); ++i)
        QTimer::singleShot(m_holdMs + int(i) * 40, this, [this, guard = QPointer(socket), piece = pieces.at(i)] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState) {
                guard->write(piece);
                guard->flush();
                lastReplyNs = clock.nsecsElapsed();
            }
        });
}
