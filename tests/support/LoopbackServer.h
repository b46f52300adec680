#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QUrl>

// A small HTTP/1.0 server on 127.0.0.1 for tests: fixed routes, records every request.
class LoopbackServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Response {
        Response(QByteArray body = {}, QByteArray contentType = "text/html; charset=utf-8", int status = 200)
            : body(std::move(body)), contentType(std::move(contentType)), status(status)
        {
        }
        QByteArray body;
        QByteArray contentType;
        int status;
        QList<QPair<QByteArray, QByteArray>> headers;
        int delayMs = 0; // hold the answer back this long
        qsizetype stallAfter = -1; // send only this much of the body, then keep the connection open
    };
    struct Request {
        QByteArray method;
        QByteArray target; // path and query, as sent
        QHash<QByteArray, QByteArray> headers;
    };

    explicit LoopbackServer(QObject *parent = nullptr);

    // A file the browser saves as fileName rather than shows.
    static Response attachment(const QByteArray &fileName, QByteArray body);
    // A page behind a Basic login of realm, which never lets anyone in.
    static Response locked(const QByteArray &realm, QByteArray body);

    // Serve https with a self-signed certificate for 127.0.0.1 from then on.
    void useTls();

    void route(const QByteArray &path, const Response &response);
    void route(const QByteArray &path, const QByteArray &html) { route(path, Response{html}); }
    QUrl url(const QString &pathAndQuery) const;
    int handshakes() const { return m_handshakes; }
    QString address(const QString &pathAndQuery) const { return url(pathAndQuery).toString(); }
    const QList<Request> &requests() const { return m_requests; }
    bool wasRequested(const QByteArray &path) const;

signals:
    void requested(const QByteArray &target);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void serve(QTcpSocket *socket);

    bool m_tls = false;
    int m_handshakes = 0;
    QHash<QByteArray, Response> m_routes;
    QList<Request> m_requests;
};
