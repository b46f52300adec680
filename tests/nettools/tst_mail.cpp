#include "LoopbackSmtpServer.h"
#include "PageFixture.h"
#include "UserInput.h"
#include "nettools/MailMessage.h"
#include "nettools/MailPage.h"
#include "nettools/NetSettings.h"
#include "core/RunningSettings.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QStringEncoder>
#include <QTcpSocket>
#include <QTimeZone>

#include <sys/resource.h>

namespace {

constexpr int Forever = 600000; // a wait that never ends within a test
const QString Identity = QStringLiteral("张三");
const QString Address = QStringLiteral("zhang@example.com");
const QString Loopback = QStringLiteral("127.0.0.1"); // with no port: the classic dialogue

QByteArray gb18030(const QString &text) { return QStringEncoder("GB18030").encode(text); }

// message as a real mail reader reads it: Python's email package with its default policy.
QJsonObject readMail(const QByteArray &message)
{
    QProcess python; // Debian's own: a per-user one may not find its home under the tests' HOME
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral(R"(
import email, email.policy, json, sys
m = email.message_from_bytes(sys.stdin.buffer.read(), policy=email.policy.default)
print(json.dumps({'subject': str(m['Subject']), 'body': m.get_content(), 'from': m['From'].addresses[0].display_name,
    'address': m['From'].addresses[0].addr_spec, 'date': m['Date'].datetime.timestamp(), 'charset': m.get_content_charset(),
    'defects': len(m.defects) + sum(len(m[h].defects) for h in ('From', 'Subject', 'Date'))})))")});
    python.write(message);
    python.closeWriteChannel();
    python.waitForFinished(20000);
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// The mail page on a fixture, with the identity set and the server named.
struct MailDesk {
    explicit MailDesk(const QString &server, int wait = Forever, const QString &name = Identity, SmtpPorts ports = {})
    {
        for (const auto &[key, text] : {std::pair{&NetSettings::SmtpServer, server}, {&NetSettings::UserName, name},
                                        {&NetSettings::MyEmail, Address}})
            fixture.running.set(*key, text);
        if (name.contains(QLatin1Char('\r'))) { // the store writes a line break as a blank: only a hand edit leaves one
            fixture.app.writeFile("settings/vantorel.ini", ("[Email]\nSMTP=" + server + "\nUserName=" + name + "\nMyEmail=" + Address).toUtf8());
            fixture.running.set(NetSettings::PingTime, QStringLiteral("1")); // the store reads the file again
        }
        fixture.show(page = new MailPage(fixture.context, wait, ports));
        sender = page->findChild<SmtpSender *>();
        fixture.field("txtMailTO")->setText(QStringLiteral("li@example.com"));
    }
    // Replaces what field holds as a user does: Chinese through the input method, lines by Return.
    void type(const char *field, const QString &text)
    {
        QWidget *keys = clickToFocus(fixture.field<QWidget>(field));
        QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(keys, Qt::Key_Return);
            QInputMethodEvent commit;
            commit.setCommitString(lines.at(i));
            QApplication::sendEvent(keys, &commit);
        }
    }
    void send(const QString &to, const QString &subject, const QString &body)
    {
        type("txtMailTO", to);
        type("txtMailSubject", subject);
        type("txtMail", body);
        fixture.press("cmdMailSend");
    }
    QPushButton *send() const { return fixture.field<QPushButton>("cmdMailSend"); }
    bool idle() const { return send()->isEnabled() && !sender->sending(); }

    PageFixture fixture;
    MailPage *page;
    SmtpSender *sender;
};


const QString Password = QStringLiteral("授权码-x9!");

// Debian's aiosmtpd on loopback, with STARTTLS or TLS on connect, a login it checks, and
// the certificate for name that the test's own authority signed.
struct RealServer {
    RealServer(const char *mode, const QString &certificates, const QString &name = QStringLiteral("localhost"))
    {
        const QString files = certificates + '/' + name;
        process.start("/usr/bin/python3", {VANTOREL_TEST_SUPPORT "/smtp_server.py", mode, "--cert", files + ".pem",
                                           "--key", files + ".key", "--user", Address, "--password", Password});
        // No port (0) when the server never said where it listens.
        if (QTest::qWaitFor([this] { return process.canReadLine() || process.state() == QProcess::NotRunning; }, 20000))
            port = process.readLine().mid(5).trimmed().toUShort();
    }
    ~RealServer() { process.kill(), process.waitForFinished(); }
    QString address() const { return QStringLiteral("localhost:%1").arg(port); }
    QList<QJsonObject> messages()
    {
        while (process.canReadLine()) {
            const QJsonObject line = QJsonDocument::fromJson(process.readLine()).object();
            if (line.contains("closed"))
                ++closed;
            else
                received.append(line);
        }
        return received;
    }
    QProcess process;
    quint16 port = 0;
    QList<QJsonObject> received;
    int closed = 0; // clients gone
};

// The ports that make port the TLS, the submission or just another port.
enum class Role { Tls, Submission, Other, Classic };
SmtpPorts playing(Role role, quint16 port)
{
    return {.plain = 0, .tls = role == Role::Tls ? port : quint16(0), .submission = role == Role::Submission ? port : quint16(0)};
}

// Where earlier runs kept an account's password: the name must not change.
QString keyringName(const QString &server) { return Address + QStringLiteral(" (SMTP ") + server + ")"; }

} // namespace

// The mail tab and its sender against a loopback SMTP server.
class tst_Mail : public QObject
{
    Q_OBJECT

    QTemporaryDir m_certificates;

private slots:
    void theSendButtonChecksFirst_data()
    {
        QTest::addColumn<QString>("server"); // %1: the test server's port
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("subject"); // null: the initial text
        QTest::addColumn<QString>("to");      // null: a valid address
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("refusal");
        const QString lineBreak = QStringLiteral("收件人、主题和邮件设置中不能含有换行符或控制字符");
        QTest::newRow("no server") << QString() << Identity << QString() << QString() << false << "设置不正确，请在选项/邮件中设置";
        QTest::newRow("cleared by 重写") << Loopback << Identity << QString() << QString() << true << "没有填写收件人，或者邮件主题，或者邮件内容";
        QTest::newRow("CR LF in the subject") << Loopback << Identity << "Hi\r\nBcc: all@example.com" << QString() << false << lineBreak;
        QTest::newRow("CR in a setting") << Loopback << "A\rrcpt to: all@example.com" << QString() << QString() << false << lineBreak;
        QTest::newRow("no such port") << "127.0.0.1:99999" << Identity << QString() << QString() << false << "SMTP发件服务器“127.0.0.1:99999”写得不对";
        QTest::newRow("the initial recipient") << Loopback << Identity << QString() << "收件人地址" << false << "收件人地址无效：收件人地址";
        QTest::newRow("ESMTP parameters") << Loopback << Identity << QString() << "a@b.example> NOTIFY=SUCCESS" << false
                                          << "收件人地址无效：a@b.example>";
        QTest::newRow("the initial subject and body are filled") << Loopback << Identity << QString() << QString() << false << QString();
        QTest::newRow("a colon typed in Chinese") << QStringLiteral(" localhost：%1") << Identity << QString() << QString() << false << QString();
    }
    void theSendButtonChecksFirst()
    {
        QFETCH(QString, server);
        QFETCH(QString, name);
        QFETCH(QString, subject);
        QFETCH(QString, to);
        QFETCH(bool, reset);
        QFETCH(QString, refusal);
        LoopbackSmtpServer smtp;
        MailDesk desk(server.contains("%1") ? server.arg(smtp.serverPort()) : server, Forever, name, {.plain = smtp.serverPort()});
        if (!subject.isNull())
            desk.fixture.field("txtMailSubject")->setText(subject);
        if (!to.isNull())
            desk.fixture.field("txtMailTO")->setText(to);
        if (reset)
            desk.fixture.press("cmdMailReset");
        if (!refusal.isEmpty())
            desk.fixture.prompts().expectMessage(refusal);
        desk.fixture.press("cmdMailSend");
        if (!refusal.isEmpty()) {
            QCOMPARE(desk.fixture.prompts().messages.value(0).title, QStringLiteral("Error"));
            QCOMPARE(desk.page->findChild<QTcpSocket *>()->state(), QAbstractSocket::UnconnectedState);
            QVERIFY(desk.idle());
            QCOMPARE(desk.fixture.field("txtMailTO")->text().isEmpty(), reset);
            return;
        }
        QTRY_VERIFY(desk.idle() && smtp.clientClosed);
        QVERIFY(smtp.messages.value(0).contains("\r\nTo: li@example.com\r\n"));
    }

    // 重写 empties the three fields, and Ctrl+Z in each brings its text back.
    void resetCanBeUndone()
    {
        MailDesk desk(Loopback);
        desk.fixture.press("cmdMailReset");
        for (const char *field : {"txtMailTO", "txtMailSubject", "txtMail"}) {
            QWidget *keys = clickToFocus(desk.fixture.field<QWidget>(field));
            QVERIFY(keys->property("plainText").toString().isEmpty() && keys->property("text").toString().isEmpty());
            QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(desk.fixture.field("txtMailTO")->text(), QStringLiteral("li@example.com"));
        QCOMPARE(desk.fixture.field("txtMailSubject")->text(), QStringLiteral("主题"));
        QCOMPARE(desk.fixture.field<QPlainTextEdit>("txtMail")->toPlainText(), QStringLiteral("邮件正文"));
    }

    // Every line on the wire, and the message as a mail reader reads it.
    void aWillingServerGetsTheMessageWhole()
    {
        LoopbackSmtpServer server;
        MailDesk desk(Loopback, Forever, Identity, {.plain = server.serverPort()});
        QSignalSpy statuses(desk.sender, &SmtpSender::statusChanged);
        const QString body = QStringLiteral("第一行\n.\n第三行 😀");
        desk.type("txtMailTO", QStringLiteral("li@example.com"));
        desk.type("txtMailSubject", QStringLiteral("你好 Hello"));
        desk.type("txtMail", body);
        desk.fixture.press("cmdMailSend");
        QTRY_VERIFY(desk.idle() && server.clientClosed);

        QString wire = QString::fromLatin1(server.received);
        wire.replace(QRegularExpression(QStringLiteral("\nDate: \\w{3}, \\d\\d \\w{3} \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\r")),
                     QStringLiteral("\nDate: (date)\r"));
        wire.replace(QRegularExpression(QStringLiteral("<[0-9a-z]+\\.[0-9a-z]+@example\\.com>")), QStringLiteral("(id)"));
        QCOMPARE(wire, QString::fromLatin1("HELO vantorel.localdomain\r\nmail from: zhang@example.com\r\n"
                                           "rcpt to: li@example.com\r\ndata\r\n"
                                           "From: =?GB18030?B?1cXI/Q==?= <zhang@example.com>\r\nDate: (date)\r\n"
                                           "X-Mailer: VAZ Reporter v 2.x\r\nTo: li@example.com\r\n"
                                           "Subject: =?GB18030?B?xOO6wyBIZWxsbw==?=\r\nMessage-ID: (id)\r\n"
                                           "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=GB18030\r\n"
                                           "Content-Transfer-Encoding: 8bit\r\n\r\n"
                                           + gb18030(QStringLiteral("第一行\r\n..\r\n第三行 😀\r\n\r\n.\r\nquit\r\n"))));
        QCOMPARE(desk.fixture.prompts().messages.size(), 0);
        QVERIFY(desk.send()->hasFocus());
        QStringList seen{desk.fixture.field<QLabel>("StatusTXT")->text()};
        for (const QList<QVariant> &status : statuses)
            seen.append(status.at(0).toString());
        QCOMPARE(seen, QStringList({"Winsock 状态", "正在连接....", "成功连接到服务器", "正在发送消息", "断开连接", "Winsock 状态"}));

        QJsonObject read = readMail(server.messages.value(0));
        QVERIFY(qAbs(read.take("date").toDouble() - QDateTime::currentSecsSinceEpoch()) < 60);
        QCOMPARE(read, QJsonObject({{"subject", QStringLiteral("你好 Hello")}, {"body", QString(body + "\n\n").replace("\n", "\r\n")},
                                    {"from", Identity}, {"address", Address}, {"charset", "gb18030"}, {"defects", 0}}));
    }

    // Friendly and hostile servers: what each hears, and the one box a failure shows.
    void everyEndingClosesAndFreesTheButton_data()
    {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<Role>("role");
        QTest::addColumn<int>("hold"); // each reply held back so long, in ms; each wait is 1000
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArrayList>("verbs"); // the commands the server hears
        QTest::addColumn<QStringList>("messages"); // %1: the server's port
        const QByteArrayList all{"HELO", "mail", "rcpt", "data", "quit"}, quit{"quit"}, ehlo{"EHLO", "quit"};
        const QString li = QStringLiteral("li@example.com"), rejected = QStringLiteral("SMTP服务器错误，错误号 %1 错误号返回自: ");
        const QStringList timeout{QStringLiteral("SMTP服务器超时")};
        const QByteArray esmtp = "250-loopback\r\n250-SIZE 100\r\n250 AUTH PLAIN\r\n";
        QTest::newRow("replies in pieces, some of many lines")
            << QByteArrayList{"2|20 hi\r\n", "250-loopback\r\n250-PIPELINING\r|\n250 8BITMIME\r\n", "25|0 Ok\r|\n", "251 forwarded\r\n",
                              "354-go\r\n|354 on\r\n", "250 queued\r\n", "22|1 Bye\r\n"}
            << Role::Classic << 0 << li << all << QStringList();
        QTest::newRow("two recipients, one IDNA")
            << QByteArrayList{"220 hi\r\n", "250 hi\r\n", "250 Ok\r\n", "250 Ok\r\n", "250 Ok\r\n", "354 go\r\n", "250 Ok\r\n", "221 Bye\r\n"}
            << Role::Classic << 0 << "li@example.com， wang@例子.中国"
            << QByteArrayList{"HELO", "mail", "rcpt to: li@example.com", "rcpt to: wang@xn--fsqu00a.xn--fiqs8s", "data", "quit"}
            << QStringList();
        QTest::newRow("a Chinese local part without SMTPUTF8") << QByteArrayList{"220 hi\r\n"} << Role::Classic << 0 << "王@example.com"
                                                               << QByteArrayList() << QStringList{"地址 王@example.com 含有非 ASCII 字符"};
        QTest::newRow("550 of two lines to rcpt to:")
            << QByteArrayList{"220 hi\r\n", "250 hi\r\n", "250 Ok\r\n", "550-5.1.1 <li@example.com>: unknown\r\n|550 5.1.1 no such user\r\n"}
            << Role::Classic << 0 << li << QByteArrayList{"HELO", "mail", "rcpt", "quit"}
            << QStringList{rejected.arg(250) + "550-5.1.1 <li@example.com>: unknown\r\n550 5.1.1 no such user"};
        QTest::newRow("a silent greeting") << QByteArrayList() << Role::Classic << 0 << li << quit << timeout;
        QTest::newRow("a late greeting") << QByteArrayList{"220 hi\r\n", "250 hi\r\n"} << Role::Classic << 2000 << li << quit << timeout;
        QTest::newRow("a silent EHLO on 587") << QByteArrayList{"220 hi\r\n"} << Role::Submission << 0 << li << ehlo << timeout;
        QTest::newRow("a silent AUTH") << QByteArrayList{"220 hi\r\n", "250-hi\r\n250 AUTH PLAIN\r\n"} << Role::Other << 0 << li
                                       << QByteArrayList{"EHLO", "AUTH", "quit"} << timeout;
        QTest::newRow("2200") << QByteArrayList{"2200 hi\r\n"} << Role::Classic << 0 << li << quit << QStringList{rejected.arg(220) + "2200 hi"};
        QTest::newRow("220-ok, 554 no") << QByteArrayList{"220-ok\r\n554 no\r\n"} << Role::Classic << 0 << li << quit
                                        << QStringList{rejected.arg(220) + "220-ok\r\n554 no"};
        QTest::newRow("554-no, 220 ok") << QByteArrayList{"554-no\r\n220 ok\r\n"} << Role::Classic << 0 << li << quit
                                        << QStringList{rejected.arg(220) + "554-no\r\n220 ok"};
        QTest::newRow("over the announced SIZE") << QByteArrayList{"220 hi\r\n", esmtp} << Role::Other << 0 << li << ehlo
                                                 << QStringList{"超过了服务器 127.0.0.1:%1 允许的 100 字节"};
        QTest::newRow("nobody there") << QByteArrayList{"closed"} << Role::Classic << 0 << li << QByteArrayList()
                                      << QStringList{"出错，请检查设置！\n服务器 127.0.0.1:%1：拒绝连接"};
    }
    void everyEndingClosesAndFreesTheButton()
    {
        QFETCH(QByteArrayList, script);
        QFETCH(Role, role);
        QFETCH(int, hold);
        QFETCH(QString, to);
        QFETCH(QByteArrayList, verbs);
        QFETCH(QStringList, messages);
        LoopbackSmtpServer server(script, hold);
        const quint16 port = server.serverPort();
        if (script == QByteArrayList{"closed"})
            server.close();
        MailDesk desk(role == Role::Classic ? Loopback : server.address(), 1000, Identity,
                      role == Role::Classic ? SmtpPorts{.plain = port} : playing(role, port));
        if (verbs.contains("AUTH"))
            desk.fixture.prompts().answerPassword(Password);
        desk.fixture.field("txtMailTO")->setText(to);
        desk.fixture.press("cmdMailSend");
        QVERIFY(!desk.idle() || server.commands.isEmpty()); // the click is over while the dialogue goes on
        QTRY_VERIFY(desk.idle() && (server.clientClosed || verbs.isEmpty()));
        QTest::qWait(hold); // what a late server says comes to nothing
        QCOMPARE(server.commands.size(), verbs.size());
        for (qsizetype i = 0; i < verbs.size(); ++i)
            QVERIFY2(server.commands.at(i).startsWith(verbs.at(i)), server.commands.at(i).constData());
        QStringList shown;
        for (const auto &message : desk.fixture.prompts().messages)
            shown.append(message.text);
        for (qsizetype i = 0; i < messages.size(); ++i)
            QVERIFY2(shown.value(i).contains(messages.at(i).arg(port)), qPrintable(shown.value(i)));
        QCOMPARE(shown.size(), messages.size());
        // A failure leaves the status on its last step, never on the text a delivery ends with.
        QCOMPARE(desk.fixture.field<QLabel>("StatusTXT")->text() == QStringLiteral("Winsock 状态"), messages.isEmpty());
    }

    // A reply without end takes no more memory than its bound before the send ends.
    void anEndlessReplyIsCutOff_data()
    {
        // The reply's start, then what repeats: a "250 " before the lines would end the
        // reply at its first line, and the lines after it would come out of turn.
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("stream");
        QTest::newRow("250- lines") << QByteArray() << QByteArray("250-" + QByteArray(60, 'x') + "\r\n");
        QTest::newRow("one line") << QByteArray("250 ") << QByteArray(65536, 'x');
    }
    void anEndlessReplyIsCutOff()
    {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, stream);
        QProcess flood;
        flood.start("/usr/bin/python3", {"-c", "import socket, sys\ns = socket.socket(); s.bind(('127.0.0.1', 0)); s.listen(1)\n"
                                               "print(s.getsockname()[1], flush=True); c = s.accept()[0]\n"
                                               "c.sendall(b'220 hi\\r\\n'); c.recv(99); c.sendall(sys.argv[2].encode())\n"
                                               "try:\n    for i in range(200 * 2**20 // len(sys.argv[1])): c.sendall(sys.argv[1].encode())\n"
                                               "except OSError: pass", QString::fromLatin1(stream), QString::fromLatin1(start)});
        QVERIFY(flood.waitForReadyRead(10000));
        MailDesk desk(Loopback, Forever, Identity, {.plain = flood.readLine().trimmed().toUShort()});
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        desk.fixture.press("cmdMailSend");
        QTRY_VERIFY_WITH_TIMEOUT(desk.idle(), 20000);
        getrusage(RUSAGE_SELF, &after);
        QVERIFY2(desk.fixture.prompts().messages.value(0).text.contains(QStringLiteral("的回复太长")),
                 qPrintable(desk.fixture.prompts().messages.value(0).text));
        QCOMPARE_LT(after.ru_maxrss - before.ru_maxrss, 20 * 1024);
        flood.waitForFinished(20000);
    }

    // A connection an earlier send left open is closed, and the new send goes on.
    void aConnectionLeftOpenIsClosed()
    {
        LoopbackSmtpServer silent{QByteArrayList()}, willing;
        SmtpSender sender(Forever);
        QSignalSpy finished(&sender, &SmtpSender::finished);
        QSignalSpy reached(&silent, &QTcpServer::newConnection);
        sender.SendEmail(silent.address(), Identity, Address, "li@example.com", "li@example.com", "s", "b");
        QVERIFY(reached.wait());
        sender.SendEmail(willing.address(), Identity, Address, "li@example.com", "li@example.com", "s", "b");
        QTRY_VERIFY(silent.clientClosed && finished.count() == 1);
        QCOMPARE(willing.messages.size(), 1);
        QVERIFY(willing.commands.contains("MAIL FROM:<zhang@example.com>")); // the syntax providers insist on
    }

    // Dots are doubled on the wire; a line too long for it goes quoted-printable, and a
    // mail reader gets it back whole.
    void theBodyCannotEndTheMessage_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("wire"); // null: only read back
        QTest::newRow("dots") << "a\n.b\n." << "a\r\n..b\r\n..\r\n\r\n";
        QTest::newRow("bare LF and CR") << "a\nb\rc\r\nd\n" << "a\r\nb\r\nc\r\nd\r\n\r\n\r\n";
        QTest::newRow("a line of 2000 bytes") << QString(2000, 'x') << QString();
        QTest::newRow("a dot at a soft break") << QString(75, 'x') + "." + QString(1000, 'y') << QString();
        QTest::newRow("Chinese, =, blanks at the end") << QString(600, QChar(0x4e2d)) + "=a \n. " << QString();
    }
    void theBodyCannotEndTheMessage()
    {
        QFETCH(QString, body);
        QFETCH(QString, wire);
        const QByteArray content = MailMessage(Identity, Address, "to", "to", "s", body).content();
        const QByteArray sent = content.mid(content.indexOf("\r\n\r\n") + 4);
        if (!wire.isNull()) {
            QCOMPARE(sent, gb18030(wire));
            return;
        }
        QVERIFY(content.contains("Content-Transfer-Encoding: quoted-printable\r\n"));
        for (const QByteArray &line : sent.split('\n'))
            QVERIFY(line.size() <= 77 && !line.startsWith('.'));
        QCOMPARE(readMail(content).value("body").toString(), QString(body).replace("\n", "\r\n") + "\r\n\r\n");
    }

    void theDateIsInItsZone()
    {
        const QDateTime when(QDate(2026, 12, 6), QTime(19, 2, 48), QTimeZone(8 * 3600));
        QCOMPARE(MailMessage::dateText(when), QStringLiteral("Sun, 06 Dec 2026 19:02:48 +0800"));
        QCOMPARE(MailMessage::dateText(when.toOffsetFromUtc(-(3 * 3600 + 1800))), QStringLiteral("Sun, 06 Dec 2026 07:32:48 -0330"));
    }

    // A certificate authority of the test's own, trusted as the system's store would be.
    void initTestCase()
    {
        QVERIFY(m_certificates.isValid());
        QProcess openssl;
        openssl.setWorkingDirectory(m_certificates.path());
        openssl.start("sh", {"-ec", "o() { openssl \"$@\" 2>/dev/null; }; o req -x509 -newkey rsa:2048 -nodes -days 2 "
                                    "-subj /CN=ca -keyout ca.key -out ca.pem; for n in localhost other.example; do "
                                    "o req -newkey rsa:2048 -nodes -subj /CN=$n -keyout $n.key -out $n.csr; "
                                    "echo subjectAltName=DNS:$n,IP:127.0.0.1 >$n.ext; o x509 -req -days 2 -in $n.csr "
                                    "-CA ca.pem -CAkey ca.key -CAcreateserial -extfile $n.ext -out $n.pem; done"});
        QVERIFY(openssl.waitForFinished(60000) && openssl.exitCode() == 0);
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificates(m_certificates.filePath("ca.pem"));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }

    // Delivered encrypted with a login, or refused before the message with the reason; a
    // password asked once a run, kept in the keyring when asked to, forgotten when refused.
    void aSecureServer_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<Role>("role");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("kept"); // in the keyring from an earlier run; null: nothing
        QTest::addColumn<QString>("noKeyring");
        QTest::addColumn<bool>("remember"); // ticked when asked
        QTest::addColumn<QString>("refusal"); // null: the message arrives
        const QString localhost = QStringLiteral("localhost"), untrusted = QStringLiteral("服务器 localhost 的证书无法验证：");
        QTest::newRow("TLS on connect, remembered") << QByteArray("tls") << Role::Tls << localhost << QString() << QString() << true << QString();
        QTest::newRow("STARTTLS on 587") << QByteArray("starttls") << Role::Submission << localhost << QString() << QString() << false << QString();
        QTest::newRow("STARTTLS elsewhere, from the keyring") << QByteArray("starttls") << Role::Other << localhost << Password << QString() << false << QString();
        QTest::newRow("no keyring") << QByteArray("starttls") << Role::Other << localhost << QString() << "没有密钥环" << true << QString();
        QTest::newRow("wrong password") << QByteArray("starttls") << Role::Other << localhost << "wrong" << QString() << false
                                        << "登录被拒绝：535 5.7.8 Authentication credentials invalid";
        QTest::newRow("another name, STARTTLS") << QByteArray("starttls") << Role::Other << "other.example" << "x" << QString() << false << untrusted;
        QTest::newRow("another name, TLS") << QByteArray("tls") << Role::Tls << "other.example" << "x" << QString() << false << untrusted;
        QTest::newRow("587 without STARTTLS") << QByteArray("plain") << Role::Submission << localhost << "x" << QString() << false
                                              << "服务器 localhost 不提供加密连接（STARTTLS），邮件没有发送";
        QTest::newRow("LOGIN in the clear to this machine only") << QByteArray("plain") << Role::Other << localhost << QString() << QString() << false << QString();
    }
    void aSecureServer()
    {
        QFETCH(QByteArray, mode);
        QFETCH(Role, role);
        QFETCH(QString, certificate);
        QFETCH(QString, kept);
        QFETCH(QString, noKeyring);
        QFETCH(bool, remember);
        QFETCH(QString, refusal);
        RealServer server(mode.constData(), m_certificates.path(), certificate);
        MailDesk desk(server.address(), Forever, Identity, playing(role, server.port));
        ScriptedSecrets &keyring = desk.fixture.app.secrets;
        const QString name = keyringName(server.address());
        keyring.unavailable = noKeyring;
        if (!kept.isNull())
            keyring.kept.insert(name, kept);
        else
            desk.fixture.prompts().answerPassword(Password, remember);
        for (int sent = 1; sent <= (refusal.isNull() ? 2 : 1); ++sent) { // the second send asks nothing
            desk.send("li@example.com；wang@example.com", QStringLiteral("你好 %1").arg(sent), QStringLiteral("第一行\n第二行"));
            QTRY_VERIFY(desk.idle());
            if (refusal.isNull())
                QTRY_COMPARE(server.messages().size(), sent);
        }
        const QString shown = desk.fixture.prompts().messages.value(0).text;
        QVERIFY2(refusal.isNull() ? shown.isNull() : shown.startsWith(refusal), qPrintable(shown));
        QCOMPARE(desk.fixture.prompts().keepNotes, kept.isNull() ? QStringList{noKeyring} : QStringList());
        const QString stays = refusal.startsWith("登录") ? QString() : !kept.isNull() ? kept : remember && noKeyring.isNull() ? Password : QString();
        QCOMPARE(keyring.kept.value(name), stays);
        if (!refusal.isNull()) {
            // Whatever the client sent is in before the server hears it gone; a TLS handshake
            // that failed never gave the server a client at all.
            if (!(mode == "tls" && refusal.contains(QStringLiteral("证书"))))
                QTRY_VERIFY((server.messages(), server.closed > 0));
            QCOMPARE(server.messages().size(), 0);
            return;
        }
        const QJsonObject first = server.messages().constFirst();
        QCOMPARE(first.value("tls"), mode != "plain");
        QCOMPARE(first.value("login"), Address);
        QCOMPARE(first.value("options").toArray(), QJsonArray{"BODY=8BITMIME"});
        QCOMPARE(first.value("to").toArray(), (QJsonArray{"li@example.com", "wang@example.com"}));
        const QJsonObject read = readMail(QByteArray::fromBase64(first.value("content").toString().toLatin1()));
        QCOMPARE(read.value("subject"), QStringLiteral("你好 1"));
        QCOMPARE(read.value("body"), QStringLiteral("第一行\r\n第二行\r\n\r\n"));
    }

};

QTEST_MAIN(tst_Mail)
#include "tst_mail.moc"
