#include "SmtpAddress.h"

#include <QHostAddress>
#include <QUrl>

SmtpAddress SmtpAddress::parse(const QString &server, const SmtpPorts &ports)
{
    // A colon typed with a Chinese input method is meant as one.
    const QString written = QString(server).replace(QChar(0xFF1A), QLatin1Char(':')).trimmed();
    const QUrl url(QStringLiteral("//") + written);
    // A bare v6 address has colons of its own and no port.
    const bool understood = url.isValid() && !url.host().isEmpty()
        && (written.count(QLatin1Char(':')) <= 1 || written.startsWith(QLatin1Char('[')));
    if (!understood) {
        const bool bareV6 = QHostAddress(written).protocol() == QAbstractSocket::IPv6Protocol;
        return {written, ports.plain, Classic, bareV6};
    }
    if (url.port() < 0)
        return {url.host(), ports.plain, Classic};
    const auto port = quint16(url.port());
    const Security security = port == ports.tls          ? Tls
                              : port == ports.submission ? StartTlsRequired
                                                         : StartTlsOffered;
    return {url.host(), port, security, port != 0};
}

QString SmtpAddress::refusal(const QString &server)
{
    if (parse(server).valid)
        return QString();
    return QStringLiteral("SMTP发件服务器“%1”写得不对，应写成“主机”或“主机:端口”（端口为 1-65535）").arg(server);
}

QString SmtpAddress::text() const
{
    const QString shown = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return shown + QLatin1Char(':') + QString::number(port);
}
