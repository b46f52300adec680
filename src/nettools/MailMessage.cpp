#include "MailMessage.h"

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
    : m_fromName(fromName), m_fromAddress(fromAddress), m_toName(toName), m_toAddress(toAddress), m_subject(subject),
      m_body(body), m_when(when), m_messageId(messageId(fromAddress))
{
}

QByteArray MailMessage::mailCommand() const { return "mail from: " + encoded(m_fromAddress) + CrLf; }

QByteArray MailMessage::recipientCommand() const { return "rcpt to: " + encoded(m_toAddress) + CrLf; }

QByteArray MailMessage::envelopeFrom() const { return "MAIL FROM:<" + encoded(m_fromAddress) + '>' + CrLf; }

QByteArray MailMessage::envelopeTo() const { return "RCPT TO:<" + encoded(m_toAddress) + '>' + CrLf; }

QByteArray MailMessage::content() const
{
    return sender() + "Date: " + dateText(m_when).toLatin1() + CrLf + "X-Mailer: VAZ Reporter v 2.x" + CrLf
        + "To: " + encoded(m_toName) + CrLf + "Subject: " + headerText(m_subject, 9) + CrLf
        + "Message-ID: " + m_messageId + CrLf + "MIME-Version: 1.0" + CrLf
        + "Content-Type: text/plain; charset=" + Charset + CrLf + "Content-Transfer-Encoding: 8bit" + CrLf + CrLf
        + body() + CrLf;
}

QByteArray MailMessage::sender() const { return "From: " + phrase(m_fromName) + " <" + encoded(m_fromAddress) + '>' + CrLf; }

// Every line break goes out as CR LF, a line that begins with "." gets a second one,
// and a line too long for the wire goes on in the next.
QByteArray MailMessage::body() const
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    const auto fits = [](const QByteArray &line, qsizetype more) {
        return line.size() + more <= LineLimit - (line.startsWith('.') ? 1 : 0);
    };
    QByteArray out;
    for (const QString &line : m_body.split(lineBreak))
        for (const QByteArray &piece : pieces(line, fits))
            out += (piece.startsWith('.') ? "." : "") + piece + CrLf;
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
