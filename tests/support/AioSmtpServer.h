#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>

// Debian's aiosmtpd on 127.0.0.1 as a real mail server for tests: STARTTLS or TLS from
// the first byte with the given certificate, and a login it checks.
class AioSmtpServer
{
public:
    enum Mode { StartTls, Tls };

    AioSmtpServer(Mode mode, const QString &certificate, const QString &key, const QString &user,
                  const QString &password);
    ~AioSmtpServer();

    // Why it is not listening, or an empty text once it is.
    QString failure() const { return m_failure; }
    quint16 port() const { return m_port; }
    // Every message it accepted so far: from, to, login, tls and the message's bytes as "content".
    QList<QJsonObject> messages();

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_failure;
    QList<QJsonObject> m_messages;
};
