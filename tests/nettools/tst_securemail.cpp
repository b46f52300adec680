#include "AioSmtpServer.h"
#include "LoopbackSmtpServer.h"
#include "MailDesk.h"
#include "TestCertificates.h"

namespace {

const QString Password = QStringLiteral("授权码-x9!");
const QString KeyringDown = QStringLiteral("没有正在运行的密钥环服务");

enum class Port { Tls, Submission, Other };

SmtpPorts portsWith(Port role, quint16 port)
{
    SmtpPorts ports;
    (role == Port::Tls ? ports.tls : role == Port::Submission ? ports.submission : ports.plain) = port;
    if (role == Port::Other)
        ports.plain = 0;
    return ports;
}

// The name the keyring keeps an account's password under; earlier runs' entries depend on it.
QString keyringName(const QString &server) { return MailDesk::Address + QStringLiteral(" (SMTP ") + server + ")"; }

QStringList shown(MailDesk &desk)
{
    QStringList texts;
    for (const auto &message : desk.fixture.prompts().messages)
        texts.append(message.text);
    return texts;
}

} // namespace

// Mail to servers that want TLS and a login: a real aiosmtpd with a certificate of the
// test's own authority, and scripted servers for what aiosmtpd will not do.
class tst_SecureMail : public QObject
{
    Q_OBJECT

    TestCertificates m_certificates;

    std::unique_ptr<AioSmtpServer> server(AioSmtpServer::Mode mode, const QString &name = QStringLiteral("localhost"))
    {
        auto started = std::make_unique<AioSmtpServer>(mode, m_certificates.certificate(name), m_certificates.key(name),
                                                       MailDesk::Address, Password);
        return started->failure().isEmpty() ? std::move(started) : nullptr;
    }

private slots:
    void theSettingNamesHostPortAndSecurity_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("address");
        QTest::addColumn<SmtpAddress::Security>("security");
        QTest::newRow("host alone") << "smtp.example.com" << "smtp.example.com:25" << SmtpAddress::Classic;
        QTest::newRow("465") << "smtp.qq.com:465" << "smtp.qq.com:465" << SmtpAddress::Tls;
        QTest::newRow("587") << "smtp.163.com:587" << "smtp.163.com:587" << SmtpAddress::StartTlsRequired;
        QTest::newRow("25 written") << "mail.example.com:25" << "mail.example.com:25" << SmtpAddress::StartTlsOffered;
        QTest::newRow("v6 with a port") << "[::1]:2525" << "[::1]:2525" << SmtpAddress::StartTlsOffered;
        QTest::newRow("v6 alone") << "::1" << "[::1]:25" << SmtpAddress::Classic;
    }
    void theSettingNamesHostPortAndSecurity()
    {
        QFETCH(QString, setting);
        const SmtpAddress parsed = SmtpAddress::parse(setting);
        QTEST(parsed.text(), "address");
        QTEST(parsed.security, "security");
    }

    void initTestCase()
    {
        QVERIFY2(m_certificates.issue(QStringLiteral("localhost")) && m_certificates.issue(QStringLiteral("other.example")),
                 qPrintable(m_certificates.failure()));
        m_certificates.trust();
    }

    void theMessageGoesOutEncrypted_data()
    {
        QTest::addColumn<AioSmtpServer::Mode>("mode");
        QTest::addColumn<Port>("port");
        QTest::addColumn<bool>("kept"); // in the keyring from an earlier run
        QTest::addColumn<bool>("remember");
        QTest::addColumn<bool>("keyringDown");
        QTest::newRow("TLS on connect, remembered") << AioSmtpServer::Tls << Port::Tls << false << true << false;
        QTest::newRow("STARTTLS on 587, not remembered") << AioSmtpServer::StartTls << Port::Submission << false << false << false;
        QTest::newRow("STARTTLS elsewhere, from the keyring") << AioSmtpServer::StartTls << Port::Other << true << false << false;
        QTest::newRow("no keyring") << AioSmtpServer::StartTls << Port::Other << false << false << true;
    }
    void theMessageGoesOutEncrypted()
    {
        QFETCH(AioSmtpServer::Mode, mode);
        QFETCH(Port, port);
        QFETCH(bool, kept);
        QFETCH(bool, remember);
        QFETCH(bool, keyringDown);
        const auto aio = server(mode);
        QVERIFY(aio);
        const QString address = QStringLiteral("localhost:%1").arg(aio->port());
        MailDesk desk(address, MailDesk::Forever, MailDesk::Identity, portsWith(port, aio->port()));
        ScriptedSecrets &keyring = desk.fixture.app.secrets;
        if (keyringDown)
            keyring.unavailable = KeyringDown;
        if (kept)
            keyring.kept.insert(keyringName(address), Password);
        else
            desk.fixture.prompts().answerPassword(Password, remember);

        for (int sent = 1; sent <= 2; ++sent) { // the second send asks nothing
            desk.send(QStringLiteral("li@example.com"), QStringLiteral("你好 Hello %1").arg(sent), QStringLiteral("第一行\n第二行"));
            QTRY_VERIFY(desk.idle());
            QTRY_COMPARE(aio->messages().size(), sent);
        }
        QCOMPARE(shown(desk), QStringList());
        QCOMPARE(desk.fixture.prompts().asked.size(), kept ? 0 : 1);
        QCOMPARE(desk.fixture.prompts().keepNotes, kept ? QStringList() : QStringList{keyringDown ? KeyringDown : QString()});
        QCOMPARE(keyring.kept.value(keyringName(address)), kept || remember ? Password : QString());
        const QJsonObject received = aio->messages().constFirst();
        QCOMPARE(received.value("tls").toBool(), true);
        QCOMPARE(received.value("login").toString(), MailDesk::Address);
        const QJsonObject read = readMail(received.value("content").toString().toLatin1());
        QCOMPARE(read.value("subject").toString(), QStringLiteral("你好 Hello 1"));
        QCOMPARE(read.value("body").toString(), QStringLiteral("第一行\r\n第二行\r\n\r\n"));
    }

    // Nothing is delivered, and the user hears why.
    void refusedBeforeTheMessage_data()
    {
        QTest::addColumn<AioSmtpServer::Mode>("mode");
        QTest::addColumn<QString>("certificateFor");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << AioSmtpServer::StartTls << "localhost"
                                        << "登录被拒绝：535 5.7.8 Authentication credentials invalid";
        QTest::newRow("certificate for another name, STARTTLS")
            << AioSmtpServer::StartTls << "other.example" << "服务器 localhost 的证书无法验证：";
        QTest::newRow("certificate for another name, TLS") << AioSmtpServer::Tls << "other.example"
                                                           << "服务器 localhost 的证书无法验证：";
    }
    void refusedBeforeTheMessage()
    {
        QFETCH(AioSmtpServer::Mode, mode);
        QFETCH(QString, certificateFor);
        QFETCH(QString, message);
        const auto aio = server(mode, certificateFor);
        QVERIFY(aio);
        const QString address = QStringLiteral("localhost:%1").arg(aio->port());
        MailDesk desk(address, MailDesk::Forever, MailDesk::Identity, portsWith(Port::Tls, mode == AioSmtpServer::Tls ? aio->port() : 0));
        // A password kept from an earlier run, now wrong: the refusal forgets it.
        desk.fixture.app.secrets.kept.insert(keyringName(address), QStringLiteral("wrong"));
        desk.send(QStringLiteral("li@example.com"), QStringLiteral("主题"), QStringLiteral("正文"));
        QTRY_VERIFY(desk.idle());
        QCOMPARE(shown(desk).size(), 1);
        QVERIFY2(shown(desk).constFirst().startsWith(message), qPrintable(shown(desk).constFirst()));
        QCOMPARE(desk.fixture.app.secrets.kept.contains(keyringName(address)), certificateFor != "localhost");
        QTest::qWait(100);
        QCOMPARE(aio->messages().size(), 0);
    }

    // What aiosmtpd will not do, each command as the server hears it.
    void theStepsBeforeMailFrom_data()
    {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<Port>("port");
        QTest::addColumn<QString>("password"); // null: the question is cancelled
        QTest::addColumn<QByteArrayList>("heard");
        QTest::addColumn<QStringList>("messages");
        const QByteArrayList accepted{"250 ok\r\n", "250 ok\r\n", "354 go\r\n", "250 queued\r\n", "221 bye\r\n"};
        const QByteArrayList sent{"mail from: zhang@example.com", "rcpt to: li@example.com", "data", "quit"};
        QTest::newRow("587 without STARTTLS")
            << QByteArrayList{"220 hi\r\n", "250-loopback\r\n250 AUTH PLAIN\r\n", "221 bye\r\n"} << Port::Submission
            << QString() << QByteArrayList{"EHLO vantorel.localdomain", "quit"}
            << QStringList{"服务器 127.0.0.1 不提供加密连接（STARTTLS），邮件没有发送"};
        QTest::newRow("LOGIN in the clear, to this machine only")
            << QByteArrayList{"220 hi\r\n", "250-loopback\r\n250 AUTH=LOGIN\r\n", "334 VXNlcm5hbWU6\r\n", "334 UGFzc3dvcmQ6\r\n", "235 ok\r\n"} + accepted
            << Port::Other << "pw" << QByteArrayList{"EHLO vantorel.localdomain", "AUTH LOGIN", "emhhbmdAZXhhbXBsZS5jb20=", "cHc="} + sent
            << QStringList();
        QTest::newRow("PLAIN, the question cancelled")
            << QByteArrayList{"220 hi\r\n", "250-loopback\r\n250 AUTH PLAIN LOGIN\r\n", "221 bye\r\n"} << Port::Other << QString()
            << QByteArrayList{"EHLO vantorel.localdomain", "quit"} << QStringList();
        QTest::newRow("PLAIN") << QByteArrayList{"220 hi\r\n", "250-loopback\r\n250 AUTH PLAIN LOGIN\r\n", "235 ok\r\n"} + accepted
                               << Port::Other << "pw" << QByteArrayList{"EHLO vantorel.localdomain", "AUTH PLAIN AHpoYW5nQGV4YW1wbGUuY29tAHB3"} + sent
                               << QStringList();
    }
    void theStepsBeforeMailFrom()
    {
        QFETCH(QByteArrayList, script);
        QFETCH(Port, port);
        QFETCH(QString, password);
        QFETCH(QByteArrayList, heard);
        QFETCH(QStringList, messages);
        LoopbackSmtpServer server(script);
        MailDesk desk(server.address(), MailDesk::Forever, MailDesk::Identity, portsWith(port, server.serverPort()));
        if (port != Port::Submission)
            desk.fixture.prompts().answerPassword(password);
        desk.send(QStringLiteral("li@example.com"), QStringLiteral("主题"), QStringLiteral("正文"));
        QTRY_VERIFY(desk.idle() && server.clientClosed);
        QCOMPARE(server.commands, heard);
        QCOMPARE(shown(desk), messages);
    }
};

QTEST_MAIN(tst_SecureMail)
#include "tst_securemail.moc"
