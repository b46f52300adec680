#include "SmtpSender.h"

#include "MailMessage.h"
#include "core/AppInfo.h"

#include <QRegularExpression>
#include <QSslSocket>
#include <QTimer>

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray Quit = QByteArrayLiteral("quit\r\n");

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

// The keywords of an EHLO reply, each with its parameters: {"STARTTLS"}, {"AUTH", "LOGIN", "PLAIN"}.
QList<QStringList> extensions(const QString &reply)
{
    QList<QStringList> found;
    for (const QString &line : reply.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1))
        found.append(line.mid(4).trimmed().toUpper().split(QRegularExpression(QStringLiteral("[ =]")), Qt::SkipEmptyParts));
    return found;
}

} // namespace

SmtpSender::SmtpSender(int replyWait, const SmtpPorts &ports, QObject *parent)
    : QObject(parent), Winsock1(new QSslSocket(this)), m_wait(new QTimer(this)), m_ports(ports), m_decoder("GB18030")
{
    Winsock1->setObjectName(QStringLiteral("Winsock1"));
    m_wait->setSingleShot(true);
    m_wait->setInterval(replyWait);
    connect(m_wait, &QTimer::timeout, this, &SmtpSender::timedOut);
    connect(Winsock1, &QSslSocket::readyRead, this, &SmtpSender::dataArrival);
    connect(Winsock1, &QSslSocket::encrypted, this, &SmtpSender::encrypted);
    connect(Winsock1, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) { m_sslErrors = errors; });
    connect(Winsock1, &QSslSocket::errorOccurred, this, &SmtpSender::socketError);
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
    m_sslErrors.clear();
    m_waiting = Waiting::Server;
    m_server = SmtpAddress::parse(MailServerName, m_ports);
    m_account = FromEmailAddress;
    const MailMessage message(FromName, FromEmailAddress, ToName, ToEmailAddress, EmailSubject, EmailBodyOfMessage);
    const bool classic = m_server.security == SmtpAddress::Classic;
    // The status texts lag a step behind the socket, as they always have.
    m_steps = classic ? QList<Step>{{{}, {}, {}, QStringLiteral("220")},
                                    {QStringLiteral("正在连接...."), "HELO " + HeloName + CrLf, {}, QStringLiteral("250")}}
                      : esmtpGreeting();
    m_steps += {
        {QStringLiteral("成功连接到服务器"), classic ? message.mailCommand() : message.envelopeFrom(),
         QStringLiteral("正在发送消息"), QStringLiteral("250")},
        {{}, classic ? message.recipientCommand() : message.envelopeTo(), {}, QStringLiteral("250")},
        {{}, QByteArrayLiteral("data\r\n"), {}, QStringLiteral("354")},
        {{}, message.content() + '.' + CrLf, {}, QStringLiteral("250")},
        {{}, Quit, QStringLiteral("断开连接"), QStringLiteral("221")},
    };
    m_step = 0;
    runStep();
    if (m_server.security == SmtpAddress::Tls)
        Winsock1->connectToHostEncrypted(m_server.host, m_server.port);
    else
        Winsock1->connectToHost(m_server.host, m_server.port);
}

QList<SmtpSender::Step> SmtpSender::esmtpGreeting()
{
    const auto greeted = [this](const QString &reply) { return this->greeted(reply); };
    return {{{}, {}, {}, QStringLiteral("220")},
            {QStringLiteral("正在连接...."), "EHLO " + HeloName + CrLf, {}, QStringLiteral("250"), greeted}};
}

// The server has said what it offers: encryption comes first, then the login.
bool SmtpSender::greeted(const QString &reply)
{
    const QList<QStringList> offered = extensions(reply);
    const auto offers = [&offered](const QString &keyword) {
        return std::find_if(offered.begin(), offered.end(), [&](const QStringList &e) { return e.value(0) == keyword; });
    };
    const bool secure = Winsock1->isEncrypted();
    if (!secure && offers(QStringLiteral("STARTTLS")) != offered.end()) {
        const auto start = [this](const QString &) { return startTls(); };
        const auto again = [this](const QString &reply) { return greeted(reply); };
        m_steps.insert(m_step + 1, {QStringLiteral("正在建立加密连接...."), QByteArrayLiteral("STARTTLS\r\n"), {},
                                    QStringLiteral("220"), start});
        m_steps.insert(m_step + 2, {{}, "EHLO " + HeloName + CrLf, {}, QStringLiteral("250"), again});
        return true;
    }
    if (!secure && m_server.security == SmtpAddress::StartTlsRequired) {
        giveUp(QStringLiteral("服务器 %1 不提供加密连接（STARTTLS），邮件没有发送").arg(m_server.host), Prompts::Warning);
        return false;
    }
    // The body is 8-bit GB18030: a server that knows 8BITMIME is told so.
    if (offers(QStringLiteral("8BITMIME")) != offered.end())
        for (Step &step : m_steps)
            if (step.command.startsWith("MAIL FROM:<") && !step.command.contains(" BODY="))
                step.command.insert(step.command.size() - 2, " BODY=8BITMIME");
    const auto auth = offers(QStringLiteral("AUTH"));
    // A password goes only over an encrypted connection, or to this machine.
    if (auth == offered.end() || !(secure || Winsock1->peerAddress().isLoopback()))
        return true;
    m_mechanisms = auth->mid(1);
    m_waiting = Waiting::Password;
    emit passwordNeeded(m_account, m_server.text());
    return false;
}

bool SmtpSender::startTls()
{
    // Whatever came after "220" but before the handshake could be injected by anyone on the way.
    if (!LastReply.isEmpty()) {
        failed();
        return false;
    }
    m_waiting = Waiting::Handshake;
    m_wait->start();
    Winsock1->startClientEncryption();
    return false;
}

void SmtpSender::encrypted()
{
    // A server on the TLS port greets after the handshake; after STARTTLS the dialogue goes on.
    if (!sending() || m_waiting != Waiting::Handshake)
        return;
    m_wait->stop();
    m_waiting = Waiting::Server;
    m_decoder.resetState();
    nextStep();
}

void SmtpSender::login(const QString &password)
{
    if (!sending() || m_waiting != Waiting::Password)
        return;
    m_waiting = Waiting::Server;
    if (password.isNull()) {
        Winsock1->write(Quit);
        return end(false);
    }
    const QList<Step> steps = loginSteps(password);
    for (qsizetype i = 0; i < steps.size(); ++i)
        m_steps.insert(m_step + 1 + i, steps.at(i));
    nextStep();
}

// PLAIN when offered, else LOGIN; a server that offers neither gets the mail without one.
QList<SmtpSender::Step> SmtpSender::loginSteps(const QString &password) const
{
    const QByteArray user = m_account.toUtf8(), secret = password.toUtf8();
    const QString logging = QStringLiteral("正在登录....");
    if (m_mechanisms.contains(QStringLiteral("PLAIN")))
        return {{logging, "AUTH PLAIN " + ('\0' + user + '\0' + secret).toBase64() + CrLf, {}, QStringLiteral("235"), {}, true}};
    if (m_mechanisms.contains(QStringLiteral("LOGIN")))
        return {{logging, QByteArrayLiteral("AUTH LOGIN\r\n"), {}, QStringLiteral("334"), {}, true},
                {{}, user.toBase64() + CrLf, {}, QStringLiteral("334"), {}, true},
                {{}, secret.toBase64() + CrLf, {}, QStringLiteral("235"), {}, true}};
    return {};
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
    if (m_waiting != Waiting::Server)
        return;
    const qsizetype end = replyEnd(LastReply);
    if (end < 0)
        return;
    m_wait->stop();
    const QString reply = LastReply.left(end);
    LastReply.remove(0, end);
    if (!reply.startsWith(m_expected))
        return rejected(reply);
    // A copy: what it does may add steps, and with them move the list.
    const auto then = m_steps.at(m_step).then;
    if (!then || then(reply))
        nextStep();
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
    if (m_waiting == Waiting::Handshake)
        return end(true); // nothing may go on in the clear
    nextStep();
}

void SmtpSender::rejected(const QString &reply)
{
    if (!m_steps.at(m_step).login) {
        return giveUp(QStringLiteral("SMTP服务器错误，错误号 ") + m_expected + QStringLiteral(" 错误号返回自: ")
                          + reply.trimmed(),
                      Prompts::Information);
    }
    if (reply.startsWith(QStringLiteral("535")))
        emit passwordRefused(m_account, m_server.text());
    giveUp(QStringLiteral("登录被拒绝：") + reply.trimmed(), Prompts::Warning);
}

// Ends the dialogue politely after telling why.
void SmtpSender::giveUp(const QString &text, Prompts::Icon icon)
{
    emit report(text, AppTitle, icon);
    if (m_steps.at(m_step).command != Quit && Winsock1->state() == QAbstractSocket::ConnectedState)
        Winsock1->write(Quit);
    end(false);
}

void SmtpSender::failed()
{
    emit report(QStringLiteral("出错，请检查设置！"), QStringLiteral("出错！"), Prompts::Critical);
    end(true);
}

void SmtpSender::socketError()
{
    if (!sending())
        return;
    const QAbstractSocket::SocketError error = Winsock1->error();
    // A server may hang up as soon as it has heard "quit".
    if (error == QAbstractSocket::RemoteHostClosedError && m_steps.at(m_step).command == Quit)
        return end(false);
    if (error != QAbstractSocket::SslHandshakeFailedError)
        return failed();
    QStringList why;
    for (const QSslError &e : std::as_const(m_sslErrors))
        why.append(e.errorString());
    const QString text = why.isEmpty()
        ? QStringLiteral("无法与服务器 %1 建立加密连接：%2").arg(m_server.host, Winsock1->errorString())
        : QStringLiteral("服务器 %1 的证书无法验证：%2").arg(m_server.host, why.join(QStringLiteral("；")));
    emit report(text, QStringLiteral("出错！"), Prompts::Critical);
    end(true);
}

// Every ending closes the connection; only a failure leaves the status as it was.
void SmtpSender::end(bool failure)
{
    m_wait->stop();
    m_step = -1;
    m_waiting = Waiting::Server;
    if (failure)
        Winsock1->abort();
    else
        Winsock1->disconnectFromHost();
    if (!failure)
        emit statusChanged(QStringLiteral("Winsock 状态"));
    emit finished();
}
