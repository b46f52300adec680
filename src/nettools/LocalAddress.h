#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The machine's own IPv4 address, as the tools page shows it: that of the interface
// the default route leaves by; else of another interface that is up; loopback last.
class LocalAddress
{
public:
    struct Interface {
        QString name;
        bool up = true;
        bool loopback = false;
        QList<QHostAddress> addresses;
    };

    // From the kernel's routing table and the machine's interfaces.
    static QString primary();
    // routes as /proc/net/route lists them.
    static QString choose(const QByteArray &routes, const QList<Interface> &interfaces);

private:
    static QString defaultRouteInterface(const QByteArray &routes);
};
