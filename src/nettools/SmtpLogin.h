#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The ways of logging in that the mail client knows, most preferred first. Each turns
// the server's challenges into the lines that answer them, so another way is one row.
struct SmtpLogin
{
    struct Credentials {
        QByteArray user, password; // UTF-8
    };
    QByteArray name;
    // The line for the n-th step: 0 is the AUTH command itself, n > 0 answers the n-th
    // 334 challenge (decoded from base64). "*" gives the login up.
    QByteArray (*answer)(const Credentials &credentials, int n, const QByteArray &challenge);

    static const QList<SmtpLogin> &mechanisms();
    // The first of ours that the server offers; nullptr when none is.
    static const SmtpLogin *choose(const QStringList &offered);
};
