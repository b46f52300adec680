#include "SmtpSender.h"

#include "MailRecipients.h"
#include "core/AppInfo.h"

#include <QRegularExpression>
#include <QSslSocket>
#include <QStringDecoder>
#include <QTimer>

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray Quit = QByteArrayLiteral("quit\r\n");

// The keywords of an EHLO reply, each with its parameters: {"STARTTLS"}, {"AUTH", "LOGIN", "PLAIN"}.
QList<QStringList> extensions(const QString &reply)
{
    QList<QStringList> found;
    for (const QString &line : reply.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1))
        found.append(line.mid(4).trimmed().toUpper().split(QRegularExpression(QStringLiteral("[ =]")), Qt::SkipEmptyParts));
    return found;
}

const QStringList *offered(const QList<QStringList> &extensions, const char *keyword)
{
    for (const QStringList &extension : extensions)
        if (extension.value(0) == QLatin1String(keyword))
            return &extension;
    return nullptr;
}

// Why a connection failed, as a user can act on it.
QString reason(QAbstractSocket::SocketError error, const QString &said)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("拒绝连接");
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("找不到该服务器");
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("服务器关闭了连接");
    case QAbstractSocket::NetworkError:
        return QStringLiteral("网络不通（%1）").arg(said);
    default:
        return said;
    }
}

} // namespace

SmtpSender::SmtpSender(int replyWait, const SmtpPorts &ports, QObject *parent)
    : QObject(parent), Winsock1(new QSslSocket(this)), m_wait(new QTimer(this)), m_ports(ports)
{
    Winsock1->setObjectName(QStringLiteral("Winsock1"));
    m_wait->setSingleShot(true);
    m_wait->setInterval(replyWait);
    connect(m_wait, &QTimer::timeout, this, &SmtpSender::timedOut);
    connect(Winsock1, &QSslSocket::readyRead, this, &SmtpSender::dataArrival);
    connect(Winsock1, &QSslSocket::encrypted, this, &SmtpSender::afterHandshake);
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
    m_reader.clear();
    m_sslErrors.clear();
    m_login = nullptr;
    m_parameters.clear();
    m_utf8 = false;
    m_server = SmtpAddress::parse(MailServerName, m_ports);
    m_account = FromEmailAddress;
    m_message.emplace(FromName, FromEmailAddress, ToName, ToEmailAddress, EmailSubject, EmailBodyOfMessage);
    m_content = m_message->content() + '.' + CrLf;
    m_phase = Phase::Greeting;
    if (const MailRecipients to = MailRecipients::parse(ToEmailAddress); !to.ok()) {
        emit report(QStringLiteral("收件人地址无效：") + to.invalid, QStringLiteral("Error"), Prompts::Information);
        return end(Ending::Broken);
    }
    const bool classic = m_server.security == SmtpAddress::Classic;
    if (classic && !m_message->needsUtf8().isEmpty()) {
        return giveUp(QStringLiteral("地址 %1 含有非 ASCII 字符，需要服务器支持 SMTPUTF8，邮件没有发送")
                          .arg(m_message->needsUtf8()),
                      Prompts::Warning);
    }
    m_recipients = classic ? m_message->recipientCommands() : QList<QByteArray>();
    WaitFor(Phase::Greeting);
    if (m_server.security == SmtpAddress::Tls)
        Winsock1->connectToHostEncrypted(m_server.host, m_server.port);
    else
        Winsock1->connectToHost(m_server.host, m_server.port);
}

// One line of the dialogue, then the wait for its reply.
void SmtpSender::send(Phase phase, const QByteArray &line)
{
    if (Winsock1->state() != QAbstractSocket::ConnectedState || Winsock1->write(line) != line.size())
        return failed(QStringLiteral("连接已断开"));
    WaitFor(phase);
}

void SmtpSender::WaitFor(Phase phase)
{
    m_phase = phase;
    m_wait->start();
}

void SmtpSender::dataArrival()
{
    const QByteArray bytes = Winsock1->readAll();
    if (!sending())
        return;
    if (m_phase == Phase::Password || m_phase == Phase::Handshake)
        return giveUp(QStringLiteral("服务器 %1 在不该回复的时候发来了：").arg(m_server.text()) + serverText(bytes),
                      Prompts::Warning);
    m_reader.feed(bytes);
    if (m_reader.overlong()) {
        emit report(QStringLiteral("服务器 %1 的回复太长（超过 %2 KB），邮件没有发送")
                        .arg(m_server.text())
                        .arg(SmtpReplyReader::MaxReply / 1024),
                    QStringLiteral("出错！"), Prompts::Critical);
        return end(Ending::Broken);
    }
    const auto reply = m_reader.next();
    if (!reply)
        return;
    judge(*reply);
    // One reply for each line sent: more, before the next line went out, is out of turn.
    if (sending() && m_phase != Phase::Handshake && m_reader.holdsMore())
        giveUp(QStringLiteral("服务器 %1 回复了没有问到的内容，邮件没有发送").arg(m_server.text()), Prompts::Warning);
}

// Every reply is judged here: the one the phase waits for takes the dialogue on, any
// other ends it.
void SmtpSender::judge(const SmtpReply &reply)
{
    m_wait->stop();
    if (!accepts(reply))
        return refused(reply);
    switch (m_phase) {
    case Phase::Greeting:
        return afterGreeting();
    case Phase::Hello:
        return afterHello(reply);
    case Phase::StartTls:
        return afterStartTls();
    case Phase::Login:
        return afterLogin(reply);
    case Phase::MailFrom:
        return afterMailFrom();
    case Phase::Recipient:
        return afterRecipient();
    case Phase::Data:
        return send(Phase::Message, m_content);
    case Phase::Message:
        return afterMessage();
    case Phase::Quit:
        return end(Ending::Done);
    case Phase::Idle:
    case Phase::Handshake:
    case Phase::Password:
        return;
    }
}

bool SmtpSender::accepts(const SmtpReply &reply) const
{
    switch (m_phase) {
    case Phase::Greeting:
    case Phase::StartTls:
        return reply.code == 220;
    case Phase::Data:
        return reply.code == 354;
    case Phase::Quit:
        return reply.code == 221;
    case Phase::Login:
        return reply.code == 334 || reply.code == 235;
    default:
        return reply.kind() == 2;
    }
}

QString SmtpSender::expectedCode() const
{
    switch (m_phase) {
    case Phase::Greeting:
    case Phase::StartTls:
        return QStringLiteral("220");
    case Phase::Data:
        return QStringLiteral("354");
    case Phase::Quit:
        return QStringLiteral("221");
    case Phase::Login:
        return QStringLiteral("235");
    default:
        return QStringLiteral("250");
    }
}

void SmtpSender::afterGreeting()
{
    // The status texts lag a step behind the socket, as they always have.
    emit statusChanged(QStringLiteral("正在连接...."));
    const bool classic = m_server.security == SmtpAddress::Classic;
    send(Phase::Hello, (classic ? "HELO " : "EHLO ") + HeloName + CrLf);
}

// The server has said what it offers: encryption comes first, then the login.
void SmtpSender::afterHello(const SmtpReply &reply)
{
    if (m_server.security == SmtpAddress::Classic)
        return mailFrom();
    const QList<QStringList> offers = extensions(serverText(reply.text));
    const bool secure = Winsock1->isEncrypted();
    if (!secure && offered(offers, "STARTTLS")) {
        emit statusChanged(QStringLiteral("正在建立加密连接...."));
        return send(Phase::StartTls, QByteArrayLiteral("STARTTLS\r\n"));
    }
    if (const QString why = refusalBeforeMail(offers); !why.isEmpty())
        return giveUp(why, Prompts::Warning);
    m_utf8 = !m_message->needsUtf8().isEmpty();
    // The body is 8-bit GB18030: a server that knows 8BITMIME is told so.
    m_parameters = QByteArray(offered(offers, "8BITMIME") ? " BODY=8BITMIME" : "") + (m_utf8 ? " SMTPUTF8" : "");
    m_recipients = m_message->envelopeTo(m_utf8);
    const QStringList *auth = offered(offers, "AUTH");
    // A password goes only over an encrypted connection, or to this machine.
    if (!auth || !(secure || Winsock1->peerAddress().isLoopback()) || !(m_login = SmtpLogin::choose(auth->mid(1))))
        return mailFrom();
    m_phase = Phase::Password;
    emit passwordNeeded(m_account, m_server.text());
}

// What the server's extensions rule out before the envelope begins.
QString SmtpSender::refusalBeforeMail(const QList<QStringList> &offers) const
{
    if (!Winsock1->isEncrypted() && m_server.security == SmtpAddress::StartTlsRequired)
        return QStringLiteral("服务器 %1 不提供加密连接（STARTTLS），邮件没有发送").arg(m_server.host);
    const QStringList *size = offered(offers, "SIZE");
    const qint64 limit = size ? size->value(1).toLongLong() : 0;
    if (limit > 0 && m_content.size() > limit)
        return QStringLiteral("邮件有 %1 字节，超过了服务器 %2 允许的 %3 字节，邮件没有发送")
            .arg(m_content.size())
            .arg(m_server.text())
            .arg(limit);
    const QString wide = m_message->needsUtf8();
    if (!wide.isEmpty() && !offered(offers, "SMTPUTF8"))
        return QStringLiteral("地址 %1 含有非 ASCII 字符，服务器 %2 不支持 SMTPUTF8，邮件没有发送").arg(wide, m_server.text());
    return QString();
}

void SmtpSender::afterStartTls()
{
    // Whatever came after "220" but before the handshake could be injected by anyone on the way.
    if (m_reader.holdsMore())
        return failed(QStringLiteral("加密前收到了多余的数据"));
    WaitFor(Phase::Handshake);
    Winsock1->startClientEncryption();
}

// After STARTTLS the dialogue begins again, encrypted; a server on the TLS port greets
// once its handshake is over, which the greeting's own wait covers.
void SmtpSender::afterHandshake()
{
    if (m_phase != Phase::Handshake)
        return;
    m_wait->stop();
    m_reader.clear();
    send(Phase::Hello, "EHLO " + HeloName + CrLf);
}

void SmtpSender::login(const QString &password)
{
    if (m_phase != Phase::Password)
        return;
    if (password.isNull()) {
        Winsock1->write(Quit);
        return end(Ending::Done);
    }
    m_credentials = {m_account.toUtf8(), password.toUtf8()};
    m_loginStep = 0;
    emit statusChanged(QStringLiteral("正在登录...."));
    send(Phase::Login, m_login->answer(m_credentials, 0, {}) + CrLf);
}

// A challenge is answered by the way of logging in that was chosen; 235 lets the mail go.
void SmtpSender::afterLogin(const SmtpReply &reply)
{
    if (reply.code == 235)
        return mailFrom();
    const QByteArray challenge = QByteArray::fromBase64(reply.text.mid(4).trimmed());
    send(Phase::Login, m_login->answer(m_credentials, ++m_loginStep, challenge) + CrLf);
}

void SmtpSender::mailFrom()
{
    emit statusChanged(QStringLiteral("成功连接到服务器"));
    const bool classic = m_server.security == SmtpAddress::Classic;
    send(Phase::MailFrom, classic ? m_message->mailCommand() : m_message->envelopeFrom(m_parameters, m_utf8));
    if (sending())
        emit statusChanged(QStringLiteral("正在发送消息"));
}

void SmtpSender::afterMailFrom()
{
    m_recipient = 0;
    send(Phase::Recipient, m_recipients.value(0));
}

void SmtpSender::afterRecipient()
{
    if (++m_recipient < m_recipients.size())
        return send(Phase::Recipient, m_recipients.at(m_recipient));
    send(Phase::Data, QByteArrayLiteral("data\r\n"));
}

void SmtpSender::afterMessage()
{
    send(Phase::Quit, Quit);
    if (sending())
        emit statusChanged(QStringLiteral("断开连接"));
}

// Nothing after a wait that ran out is sent but "quit"; once the message is taken, the
// wait for the goodbye does not matter.
void SmtpSender::timedOut()
{
    if (m_phase == Phase::Quit)
        return end(Ending::Done);
    emit report(QStringLiteral("SMTP服务器超时"), AppTitle, Prompts::Information);
    giveUp(QString(), Prompts::Information);
}

void SmtpSender::refused(const SmtpReply &reply)
{
    if (m_phase == Phase::Quit)
        return end(Ending::Done); // the message was taken before
    const QString said = serverText(reply.text);
    if (m_phase != Phase::Login) {
        return giveUp(QStringLiteral("SMTP服务器错误，错误号 ") + expectedCode() + QStringLiteral(" 错误号返回自: ") + said,
                      Prompts::Information);
    }
    if (reply.code == 535)
        emit passwordRefused(m_account, m_server.text());
    giveUp(QStringLiteral("登录被拒绝：") + said, Prompts::Warning);
}

// Ends the dialogue politely after telling why (when there is something to tell).
void SmtpSender::giveUp(const QString &text, Prompts::Icon icon)
{
    if (!text.isEmpty())
        emit report(text, AppTitle, icon);
    // Mid-handshake a plain "quit" would be read as a broken handshake.
    if (m_phase == Phase::Handshake || Winsock1->state() != QAbstractSocket::ConnectedState)
        return end(Ending::Broken);
    Winsock1->write(Quit);
    end(Ending::Refused);
}

void SmtpSender::failed(const QString &reason)
{
    emit report(QStringLiteral("出错，请检查设置！\n服务器 %1：%2").arg(m_server.text(), reason), QStringLiteral("出错！"),
                Prompts::Critical);
    end(Ending::Broken);
}

void SmtpSender::socketError()
{
    if (!sending())
        return;
    const QAbstractSocket::SocketError error = Winsock1->error();
    // A server may hang up as soon as it has heard "quit".
    if (error == QAbstractSocket::RemoteHostClosedError && m_phase == Phase::Quit)
        return end(Ending::Done);
    if (error != QAbstractSocket::SslHandshakeFailedError)
        return failed(reason(error, Winsock1->errorString()));
    QStringList why;
    for (const QSslError &e : std::as_const(m_sslErrors))
        why.append(e.errorString());
    const QString text = why.isEmpty()
        ? QStringLiteral("无法与服务器 %1 建立加密连接：%2").arg(m_server.host, Winsock1->errorString())
        : QStringLiteral("服务器 %1 的证书无法验证：%2").arg(m_server.host, why.join(QStringLiteral("；")));
    emit report(text, QStringLiteral("出错！"), Prompts::Critical);
    end(Ending::Broken);
}

// Every ending closes the connection; only a dialogue that ran its course says so in the status.
void SmtpSender::end(Ending ending)
{
    m_wait->stop();
    m_phase = Phase::Idle;
    m_reader.clear();
    if (ending == Ending::Broken)
        Winsock1->abort();
    else
        Winsock1->disconnectFromHost();
    if (ending == Ending::Done)
        emit statusChanged(QStringLiteral("Winsock 状态"));
    emit finished();
}

QString SmtpSender::serverText(const QByteArray &bytes) const
{
    return QString(QStringDecoder("GB18030").decode(bytes)).trimmed();
}
