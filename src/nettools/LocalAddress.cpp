#include "LocalAddress.h"

#include <QFile>
#include <QNetworkInterface>

#include <limits>

namespace {

constexpr uint RouteUp = 0x1;

QString firstIpv4(const LocalAddress::Interface &interface)
{
    for (const QHostAddress &address : interface.addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QString();
}

} // namespace

QString LocalAddress::primary()
{
    QFile file(QStringLiteral("/proc/net/route"));
    const QByteArray routes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QList<Interface> interfaces;
    for (const QNetworkInterface &found : QNetworkInterface::allInterfaces()) {
        Interface &interface = interfaces.emplaceBack();
        interface.name = found.name();
        interface.up = found.flags().testFlag(QNetworkInterface::IsUp);
        interface.loopback = found.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry &entry : found.addressEntries())
            interface.addresses.append(entry.ip());
    }
    return choose(routes, interfaces);
}

QString LocalAddress::defaultRouteInterface(const QByteArray &routes)
{
    // Columns: Iface Destination Gateway Flags RefCnt Use Metric Mask ..., numbers in hex.
    QString best;
    uint bestMetric = std::numeric_limits<uint>::max();
    for (const QByteArray &line : routes.split('\n').mid(1)) {
        const QList<QByteArray> column = line.simplified().split(' ');
        if (column.size() < 8 || column[1].toUInt(nullptr, 16) != 0 || column[7].toUInt(nullptr, 16) != 0
            || !(column[3].toUInt(nullptr, 16) & RouteUp))
            continue;
        const uint metric = column[6].toUInt();
        if (metric < bestMetric) {
            bestMetric = metric;
            best = QString::fromLocal8Bit(column[0]);
        }
    }
    return best;
}

QString LocalAddress::choose(const QByteArray &routes, const QList<Interface> &interfaces)
{
    const QString routed = defaultRouteInterface(routes);
    for (const Interface &interface : interfaces) {
        if (interface.name == routed && !firstIpv4(interface).isEmpty())
            return firstIpv4(interface);
    }
    for (bool loopback : {false, true}) {
        for (const Interface &interface : interfaces) {
            if (interface.up && interface.loopback == loopback && !firstIpv4(interface).isEmpty())
                return firstIpv4(interface);
        }
    }
    return QHostAddress(QHostAddress::LocalHost).toString();
}
