#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QDateTime>
#include <QString>

// One message as it goes over the wire: the envelope commands and what follows
// "data", in GB18030 (GBK's bytes for every GBK character), every line ending in CR LF.
// toAddress may name several recipients (see MailRecipients): one envelope command
// goes to each, and the To: header lists them all.
class MailMessage
{
public:
    MailMessage(const QString &fromName, const QString &fromAddress, const QString &toName,
                const QString &toAddress, const QString &subject, const QString &body,
                const QDateTime &when = QDateTime::currentDateTime());

    QByteArray mailCommand() const;
    QList<QByteArray> recipientCommands() const;
    // The same in the strict syntax that mail providers insist on; with utf8 the
    // addresses go as UTF-8, for a server that offers SMTPUTF8.
    QByteArray envelopeFrom(const QByteArray &parameters, bool utf8) const;
    QList<QByteArray> envelopeTo(bool utf8) const;
    // An address of the envelope whose local part only SMTPUTF8 carries; empty when none.
    QString needsUtf8() const;
    // The header block, the empty line that ends it, the body and an empty line;
    // the lone "." that ends the message is not part of it.
    QByteArray content() const;

    // "Sun, 06 Dec 2026 19:02:48 +0800": English names and the zone of when.
    static QString dateText(const QDateTime &when);
    // text as a header field's value after used characters: as it is when it is short
    // printable ASCII, else as RFC 2047 encoded words on folded lines.
    static QByteArray headerText(const QString &text, int used);
    // True when text holds a line break or another control character, which would
    // end a command or a header line early.
    static bool hasControlCharacter(const QString &text);

private:
    QByteArray sender() const;
    QByteArray recipientHeader() const;
    QStringList bodyLines() const;
    bool quoted() const;
    QByteArray body() const;

    QString m_fromName, m_fromAddress, m_toName, m_subject, m_body;
    QStringList m_recipients;
    QDateTime m_when;
    QByteArray m_messageId;
};
