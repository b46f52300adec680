#include "SmtpSender.h"

#include "MailMessage.h"
#include "core/AppInfo.h"

#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray Quit = QByteArrayLiteral("quit\r\n");

// The host and the port of "host", "host:port" or "[v6 address]:port".
std::pair<QString, quint16> hostAndPort(const QString &server)
{
    const QUrl url(QStringLiteral("//") + server);
    if (url.isValid() && !url.host().isEmpty() && (server.count(QLatin1Char(':')) <= 1 || server.startsWith(QLatin1Char('['))))
        return {url.host(), quint16(url.port(SmtpSender::Port))};
    return {server, SmtpSender::Port};
}

// Where the first complete reply of held ends: after its last line, the first one
// without a "-" after the code; -1 while that line has not wholly arrived.
qsizetype replyEnd(const QString &held)
{
    for (qsizetype start = 0;;) {
        const qsizetype newline = held.indexOf(QLatin1Char('\n'), start);
        if (newline < 0)
            return -1;
        if (newline - start < 4 || held.at(start + 3) != QLatin1Char('-'))
            return newline + 1;
        start = newline + 1;
    }
}

} // namespace

SmtpSender::SmtpSender(int replyWait, QObject *parent)
    : QObject(parent), Winsock1(new QTcpSocket(this)), m_wait(new QTimer(this)), m_decoder("GB18030")
{
    Winsock1->setObjectName(QStringLiteral("Winsock1"));
    m_wait->setSingleShot(true);
    m_wait->setInterval(replyWait);
    connect(m_wait, &QTimer::timeout, this, &SmtpSender::timedOut);
    connect(Winsock1, &QTcpSocket::readyRead, this, &SmtpSender::dataArrival);
    connect(Winsock1, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (!sending())
            return;
        // A server may hang up as soon as it has heard "quit".
        if (error == QAbstractSocket::RemoteHostClosedError && m_steps.at(m_step).command == Quit)
            end(false);
        else
            failed();
    });
}

void SmtpSender::SendEmail(const QString &MailServerName, const QString &FromName, const QString &FromEmailAddress,
                           const QString &ToName, const QString &ToEmailAddress, const QString &EmailSubject,
                           const QString &EmailBodyOfMessage)
{
    // A connection an earlier send left open is not this one's.
    if (Winsock1->state() != QAbstractSocket::UnconnectedState)
        Winsock1->abort();
    m_wait->stop();
    LastReply.clear();
    m_decoder.resetState();
    const MailMessage message(FromName, FromEmailAddress, ToName, ToEmailAddress, EmailSubject, EmailBodyOfMessage);
    // The status texts lag a step behind the socket, as they always have.
    m_steps = {
        {{}, {}, {}, QStringLiteral("220")},
        {QStringLiteral("正在连接...."), "HELO " + HeloName + CrLf, {}, QStringLiteral("250")},
        {QStringLiteral("成功连接到服务器"), message.mailCommand(), QStringLiteral("正在发送消息"), QStringLiteral("250")},
        {{}, message.recipientCommand(), {}, QStringLiteral("250")},
        {{}, QByteArrayLiteral("data\r\n"), {}, QStringLiteral("354")},
        {{}, message.content() + '.' + CrLf, {}, QStringLiteral("250")},
        {{}, Quit, QStringLiteral("断开连接"), QStringLiteral("221")},
    };
    m_step = 0;
    runStep();
    const auto [host, port] = hostAndPort(MailServerName);
    Winsock1->connectToHost(host, port);
}

void SmtpSender::runStep()
{
    const Step &step = m_steps.at(m_step);
    if (!step.statusBefore.isEmpty())
        emit statusChanged(step.statusBefore);
    if (!step.command.isEmpty()) {
        if (Winsock1->state() != QAbstractSocket::ConnectedState || Winsock1->write(step.command) != step.command.size())
            return failed();
    }
    if (!step.statusAfter.isEmpty())
        emit statusChanged(step.statusAfter);
    WaitFor(step.code);
}

void SmtpSender::WaitFor(const QString &ResponseCode)
{
    m_expected = ResponseCode;
    m_wait->start();
    judge();
}

void SmtpSender::dataArrival()
{
    const QByteArray bytes = Winsock1->readAll();
    if (!sending())
        return;
    LastReply += m_decoder.decode(bytes);
    judge();
}

// A reply is judged once its last line is in: the expected code goes on, any other
// ends the dialogue at once.
void SmtpSender::judge()
{
    const qsizetype end = replyEnd(LastReply);
    if (end < 0)
        return;
    m_wait->stop();
    const QString reply = LastReply.left(end);
    LastReply.remove(0, end);
    if (reply.startsWith(m_expected))
        nextStep();
    else
        rejected(reply);
}

void SmtpSender::nextStep()
{
    if (++m_step == m_steps.size())
        return end(false);
    runStep();
}

void SmtpSender::timedOut()
{
    emit report(QStringLiteral("SMTP服务器超时"), AppTitle, Prompts::Information);
    nextStep();
}

void SmtpSender::rejected(const QString &reply)
{
    emit report(QStringLiteral("SMTP服务器错误，错误号 ") + m_expected + QStringLiteral(" 错误号返回自: ")
                    + reply.trimmed(),
                AppTitle, Prompts::Information);
    if (m_steps.at(m_step).command != Quit && Winsock1->state() == QAbstractSocket::ConnectedState)
        Winsock1->write(Quit);
    end(false);
}

void SmtpSender::failed()
{
    emit report(QStringLiteral("出错，请检查设置！"), QStringLiteral("出错！"), Prompts::Critical);
    end(true);
}

// Every ending closes the connection; only a failure leaves the status as it was.
void SmtpSender::end(bool failure)
{
    m_wait->stop();
    m_step = -1;
    if (failure)
        Winsock1->abort();
    else
        Winsock1->disconnectFromHost();
    if (!failure)
        emit statusChanged(QStringLiteral("Winsock 状态"));
    emit finished();
}
