#include "AioSmtpServer.h"

#include <QJsonDocument>
#include <QSignalSpy>

AioSmtpServer::AioSmtpServer(Mode mode, const QString &certificate, const QString &key, const QString &user,
                             const QString &password)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(VANTOREL_TEST_SUPPORT "/smtp_server.py"),
                     mode == Tls ? QStringLiteral("tls") : QStringLiteral("starttls"), "--cert", certificate, "--key",
                     key, "--user", user, "--password", password});
    QSignalSpy said(&m_process, &QProcess::readyReadStandardOutput);
    if (!m_process.waitForStarted() || (!m_process.canReadLine() && !said.wait(20000))) {
        m_failure = QStringLiteral("the aiosmtpd server did not start (Debian package python3-aiosmtpd): ")
            + m_process.errorString();
        return;
    }
    const QByteArray line = m_process.readLine().trimmed();
    m_port = line.startsWith("port ") ? quint16(line.mid(5).toUInt()) : 0;
    if (m_port == 0)
        m_failure = QStringLiteral("the aiosmtpd server said: ") + QString::fromUtf8(line);
}

AioSmtpServer::~AioSmtpServer()
{
    m_process.kill();
    m_process.waitForFinished();
}

QList<QJsonObject> AioSmtpServer::messages()
{
    while (m_process.canReadLine()) {
        QJsonObject message = QJsonDocument::fromJson(m_process.readLine()).object();
        message.insert("content", QString::fromLatin1(QByteArray::fromBase64(message.value("content").toString().toLatin1())));
        m_messages.append(message);
    }
    return m_messages;
}
