#include "MailMessage.h"

#include "MailRecipients.h"

#include <QList>
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringEncoder>

#include <cstdlib>

namespace {

const char *const Charset = "GB18030";
const QByteArray CrLf = QByteArrayLiteral("\r\n");
// A line of the message holds at most 998 bytes before its CR LF.
constexpr qsizetype LineLimit = 998;
// 52 base64 characters: an encoded word of 66, a folded line under 78.
constexpr qsizetype WordBytes = 39;
constexpr int HeaderWidth = 78;

QByteArray encoded(const QString &text) { return QStringEncoder(Charset).encode(text); }

// text in GB18030, cut into pieces of whole characters; a piece takes the next
// character while fits(piece, its size) allows.
template<typename Fits>
QList<QByteArray> pieces(const QString &text, Fits fits)
{
    QList<QByteArray> out{QByteArray()};
    QStringEncoder encoder(Charset);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, length));
        if (!out.last().isEmpty() && !fits(out.last(), bytes.size()))
            out.append(QByteArray());
        out.last() += bytes;
        i += length;
    }
    return out;
}

// line as quoted-printable: soft breaks keep each wire line within 76 characters, and
// a line never starts with "." (its own escape stands for it).
QByteArray quotedPrintable(const QByteArray &line)
{
    constexpr qsizetype Width = 76;
    QByteArray out, current;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto c = uchar(line.at(i));
        const bool last = i + 1 == line.size();
        const bool plain = (c >= 33 && c <= 126 && c != '=' && !(c == '.' && current.isEmpty()))
                           || ((c == ' ' || c == '\t') && !last);
        const QByteArray piece = plain ? QByteArray(1, char(c)) : '=' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        if (current.size() + piece.size() > Width - 1) {
            out += current + "=\r\n";
            current.clear();
            if (piece == ".") {
                current = "=2E";
                continue;
            }
        }
        current += piece;
    }
    return out + current;
}

bool printableAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
}

QByteArray encodedWords(const QString &text)
{
    QList<QByteArray> words;
    for (const QByteArray &piece : pieces(text, [](const QByteArray &word, qsizetype more) { return word.size() + more <= WordBytes; }))
        words.append("=?" + QByteArray(Charset) + "?B?" + piece.toBase64() + "?=");
    return words.join(CrLf + ' ');
}

// The sender's name as a phrase: plain words as they are, other ASCII quoted.
QByteArray phrase(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~ -]*$"));
    if (!printableAscii(name) || name.contains(QLatin1String("=?")))
        return encodedWords(name);
    if (plain.match(name).hasMatch())
        return name.toLatin1();
    QString quoted = name;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return '"' + quoted.toLatin1() + '"';
}

QByteArray messageId(const QString &fromAddress)
{
    static const QRegularExpression domainName(QStringLiteral("^[A-Za-z0-9.-]+$"));
    QString domain = fromAddress.section(QLatin1Char('@'), -1);
    if (!fromAddress.contains(QLatin1Char('@')) || !domainName.match(domain).hasMatch())
        domain = QStringLiteral("vantorel.localdomain");
    const quint64 random = QRandomGenerator::system()->generate64();
    return '<' + QByteArray::number(random, 16) + '.' + QByteArray::number(QDateTime::currentMSecsSinceEpoch(), 36)
        + '@' + domain.toLatin1() + '>';
}

} // namespace

MailMessage::MailMessage(const QString &fromName, const QString &fromAddress, const QString &toName,
                         const QString &toAddress, const QString &subject, const QString &body, const QDateTime &when)
    : m_fromName(fromName), m_fromAddress(fromAddress), m_toName(toName), m_subject(subject), m_body(body),
      m_when(when), m_messageId(messageId(fromAddress))
{
    const MailRecipients recipients = MailRecipients::parse(toAddress);
    m_recipients = recipients.ok() ? recipients.addresses : QStringList{toAddress};
}

QByteArray MailMessage::mailCommand() const { return "mail from: " + encoded(m_fromAddress) + CrLf; }

QList<QByteArray> MailMessage::recipientCommands() const
{
    QList<QByteArray> commands;
    for (const QString &address : m_recipients)
        commands.append("rcpt to: " + encoded(address) + CrLf);
    return commands;
}

QByteArray MailMessage::envelopeFrom(const QByteArray &parameters, bool utf8) const
{
    return "MAIL FROM:<" + (utf8 ? m_fromAddress.toUtf8() : encoded(m_fromAddress)) + '>' + parameters + CrLf;
}

QList<QByteArray> MailMessage::envelopeTo(bool utf8) const
{
    QList<QByteArray> commands;
    for (const QString &address : m_recipients)
        commands.append("RCPT TO:<" + (utf8 ? address.toUtf8() : encoded(address)) + '>' + CrLf);
    return commands;
}

QString MailMessage::needsUtf8() const
{
    for (const QString &address : QStringList{m_fromAddress} + m_recipients)
        if (MailRecipients::needsUtf8(address))
            return address;
    return QString();
}

QByteArray MailMessage::content() const
{
    return sender() + "Date: " + dateText(m_when).toLatin1() + CrLf + "X-Mailer: VAZ Reporter v 2.x" + CrLf
        + "To: " + recipientHeader() + CrLf + "Subject: " + headerText(m_subject, 9) + CrLf
        + "Message-ID: " + m_messageId + CrLf + "MIME-Version: 1.0" + CrLf
        + "Content-Type: text/plain; charset=" + Charset + CrLf + "Content-Transfer-Encoding: "
        + (quoted() ? "quoted-printable" : "8bit") + CrLf + CrLf + body() + CrLf;
}

// The recipients as the field names them, one list however they were parted.
QByteArray MailMessage::recipientHeader() const
{
    const MailRecipients named = MailRecipients::parse(m_toName);
    return encoded(named.ok() ? named.addresses.join(QStringLiteral(", ")) : m_toName);
}

QByteArray MailMessage::sender() const { return "From: " + phrase(m_fromName) + " <" + encoded(m_fromAddress) + '>' + CrLf; }

QStringList MailMessage::bodyLines() const
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    return m_body.split(lineBreak);
}

// A line longer than the wire allows would arrive broken in two: such a body goes
// quoted-printable, which the reader joins again.
bool MailMessage::quoted() const
{
    const QStringList lines = bodyLines();
    return std::any_of(lines.begin(), lines.end(), [](const QString &line) {
        return line.size() * 4 > LineLimit && encoded(line).size() > LineLimit;
    });
}

// Every line break goes out as CR LF, and a line that begins with "." gets a second one.
QByteArray MailMessage::body() const
{
    const bool qp = quoted();
    QByteArray out;
    for (const QString &line : bodyLines()) {
        const QByteArray bytes = qp ? quotedPrintable(encoded(line)) : encoded(line);
        out += (bytes.startsWith('.') ? "." : "") + bytes + CrLf;
    }
    return out;
}

QString MailMessage::dateText(const QDateTime &when)
{
    const int minutes = std::abs(when.offsetFromUtc()) / 60;
    return QLocale::c().toString(when, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss "))
        + QLatin1Char(when.offsetFromUtc() < 0 ? '-' : '+')
        + QStringLiteral("%1%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray MailMessage::headerText(const QString &text, int used)
{
    if (printableAscii(text) && !text.contains(QLatin1String("=?")) && used + text.size() <= HeaderWidth)
        return text.toLatin1();
    return encodedWords(text);
}

bool MailMessage::hasControlCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}
