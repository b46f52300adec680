#pragma once

#include <QString>
#include <QStringList>

// The recipient field read as one or more addresses, separated by "," "，" ";" "；"
// or blanks. Each is local@domain with no blank, angle bracket or control character;
// a domain outside ASCII is given in its ASCII (IDNA) form.
struct MailRecipients
{
    QStringList addresses;
    QString invalid; // the first that is not an address; empty when all are

    static MailRecipients parse(const QString &field);
    bool ok() const { return invalid.isEmpty() && !addresses.isEmpty(); }
    // Whether address has a local part outside ASCII, which only SMTPUTF8 carries.
    static bool needsUtf8(const QString &address);
    // address with its domain in ASCII; empty when it is not an address.
    static QString normalized(const QString &address);
};
