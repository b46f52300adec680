#pragma once

#include <QString>

// The ports that decide how a connection is secured.
struct SmtpPorts {
    quint16 plain = 25;       // the port when the setting names none
    quint16 tls = 465;        // TLS from the first byte
    quint16 submission = 587; // STARTTLS required
};

// Where the "SMTP" setting sends mail, and how: "host", "host:port" or "[v6 address]:port".
struct SmtpAddress {
    enum Security {
        Classic,         // no port written: HELO on the plain port, as it always was
        StartTlsOffered, // EHLO, then STARTTLS whenever the server offers it
        StartTlsRequired,
        Tls,
    };

    QString host;
    quint16 port = 0;
    Security security = Classic;
    bool valid = true; // false when neither a host nor a port can be read from it

    static SmtpAddress parse(const QString &server, const SmtpPorts &ports = {});
    // Why a send refuses server; empty when it takes it.
    static QString refusal(const QString &server);
    // "host:port" as a user writes it, brackets and all.
    QString text() const;
};
