#include "SmtpAddress.h"

#include <QUrl>

SmtpAddress SmtpAddress::parse(const QString &server, const SmtpPorts &ports)
{
    const QUrl url(QStringLiteral("//") + server);
    // A bare v6 address has colons of its own and no port.
    const bool understood = url.isValid() && !url.host().isEmpty()
        && (server.count(QLatin1Char(':')) <= 1 || server.startsWith(QLatin1Char('[')));
    if (!understood || url.port() < 0)
        return {understood ? url.host() : server, ports.plain, Classic};
    const auto port = quint16(url.port());
    const Security security = port == ports.tls          ? Tls
                              : port == ports.submission ? StartTlsRequired
                                                         : StartTlsOffered;
    return {url.host(), port, security};
}

QString SmtpAddress::text() const
{
    const QString shown = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return shown + QLatin1Char(':') + QString::number(port);
}
