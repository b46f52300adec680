#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One message as it goes over the wire: the two envelope commands and what follows
// "data", in GB18030 (GBK's bytes for every GBK character), every line ending in CR LF.
class MailMessage
{
public:
    MailMessage(const QString &fromName, const QString &fromAddress, const QString &toName,
                const QString &toAddress, const QString &subject, const QString &body,
                const QDateTime &when = QDateTime::currentDateTime());

    QByteArray mailCommand() const;
    QByteArray recipientCommand() const;
    // The same in the strict syntax that mail providers insist on.
    QByteArray envelopeFrom() const;
    QByteArray envelopeTo() const;
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
    QByteArray body() const;

    QString m_fromName, m_fromAddress, m_toName, m_toAddress, m_subject, m_body;
    QDateTime m_when;
    QByteArray m_messageId;
};
