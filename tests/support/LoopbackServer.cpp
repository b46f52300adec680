#include "LoopbackServer.h"

#include <QPointer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

LoopbackServer::LoopbackServer(QObject *parent) : QTcpServer(parent)
{
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void LoopbackServer::useTls() { m_tls = true; }

void LoopbackServer::incomingConnection(qintptr descriptor)
{
    if (!m_tls)
        return QTcpServer::incomingConnection(descriptor);
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    const QString fixtures = QStringLiteral(VANTOREL_TEST_FIXTURES);
    socket->setLocalCertificate(fixtures + QStringLiteral("/loopback.crt"));
    socket->setPrivateKey(fixtures + QStringLiteral("/loopback.key"));
    connect(socket, &QSslSocket::encrypted, this, [this] { ++m_handshakes; });
    socket->startServerEncryption();
    addPendingConnection(socket);
}

void LoopbackServer::route(const QByteArray &path, const Response &response) { m_routes.insert(path, response); }

QUrl LoopbackServer::url(const QString &pathAndQuery) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(serverPort())
                    .arg(pathAndQuery));
}

bool LoopbackServer::wasRequested(const QByteArray &path) const
{
    for (const Request &request : m_requests)
        if (request.target.split('?').first() == path)
            return true;
    return false;
}

void LoopbackServer::serve(QTcpSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    if (!buffer.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> lines = buffer.left(buffer.indexOf("\r\n\r\n")).split('\n');
    const QList<QByteArray> first = lines.first().trimmed().split(' ');
    Request request{first.value(0), first.value(1), {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    // The engine asks for icons on its own; tests count what pages and users ask for.
    if (request.target != "/favicon.ico") {
        m_requests.append(request);
        emit requested(request.target);
    }

    const QByteArray path = request.target.split('?').first();
    const auto it = m_routes.constFind(path);
    const Response response = it != m_routes.constEnd()
                                  ? *it
                                  : Response{"<html><head><title>Not Found</title></head><body>404</body></html>",
                                             "text/html", 404};
    QByteArray head = "HTTP/1.0 " + QByteArray::number(response.status) + " X\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    for (const auto &header : response.headers)
        head += header.first + ": " + header.second + "\r\n";
    head += "Connection: close\r\n\r\n";
    const QPointer<QTcpSocket> target(socket);
    const bool stall = response.stallAfter >= 0;
    const QByteArray body = stall ? response.body.left(response.stallAfter) : response.body;
    QTimer::singleShot(response.delayMs, this, [target, reply = head + body, stall] {
        if (!target)
            return;
        target->write(reply);
        if (!stall)
            target->disconnectFromHost();
    });
}

LoopbackServer::Response LoopbackServer::attachment(const QByteArray &fileName, QByteArray body)
{
    Response file{std::move(body), "application/octet-stream"};
    file.headers.append({QByteArray("Content-Disposition"), "attachment; filename=\"" + fileName + '"'});
    return file;
}

LoopbackServer::Response LoopbackServer::locked(const QByteArray &realm, QByteArray body)
{
    Response page{std::move(body), "text/html", 401};
    page.headers.append({QByteArray("WWW-Authenticate"), "Basic realm=\"" + realm + '"'});
    return page;
}
