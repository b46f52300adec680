#include "LoopbackSmtpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr int PieceGapMs = 40;
const QByteArray MessageEnd = QByteArrayLiteral("\r\n.\r\n");

} // namespace

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

QString LoopbackSmtpServer::address() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }

QByteArrayList LoopbackSmtpServer::commands() const { return m_commands; }

void LoopbackSmtpServer::hear(QTcpSocket *socket)
{
    const QByteArray bytes = socket->readAll();
    received += bytes;
    Client &client = m_clients[socket];
    client.pending += bytes;
    for (;;) {
        if (client.inData) {
            // The message begins right after the CR LF of "data".
            const qsizetype end = ("\r\n" + client.pending).indexOf(MessageEnd);
            if (end < 0)
                return;
            QByteArray message = end > 0 ? client.pending.left(end - 2) + "\r\n" : QByteArray();
            message.replace("\r\n..", "\r\n.");
            messages.append(message.startsWith("..") ? message.mid(1) : message);
            client.pending.remove(0, end + MessageEnd.size() - 2);
            client.inData = false;
        } else {
            const qsizetype newline = client.pending.indexOf("\r\n");
            if (newline < 0)
                return;
            m_commands.append(client.pending.left(newline));
            client.pending.remove(0, newline + 2);
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
    QPointer<QTcpSocket> guard(socket);
    for (qsizetype i = 0; i < pieces.size() && !reply.isEmpty(); ++i)
        QTimer::singleShot(m_holdMs + int(i) * PieceGapMs, this, [this, guard, piece = pieces.at(i)] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState) {
                guard->write(piece);
                guard->flush();
                lastReplyNs = clock.nsecsElapsed();
            }
        });
}
