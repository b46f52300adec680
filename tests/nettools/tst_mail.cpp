#include "LoopbackSmtpServer.h"
#include "MailDesk.h"
#include "nettools/MailMessage.h"
#include "nettools/NetSettings.h"

#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTcpSocket>
#include <QTimeZone>

namespace {

constexpr int Forever = MailDesk::Forever;
const QString Identity = MailDesk::Identity;
const QString Address = MailDesk::Address;

QByteArray gb18030(const QString &text) { return QStringEncoder("GB18030").encode(text); }

// A desk on the server as the classic setting names it: a host alone, on the plain port.
struct ClassicDesk : MailDesk {
    explicit ClassicDesk(const LoopbackSmtpServer &server, int wait = Forever, const QString &name = Identity)
        : MailDesk(QStringLiteral("127.0.0.1"), wait, name, {.plain = server.serverPort()})
    {
    }
};

} // namespace

// The mail tab and its sender against a loopback SMTP server.
class tst_Mail : public QObject
{
    Q_OBJECT

private slots:
    void theSendButtonChecksFirst_data()
    {
        QTest::addColumn<bool>("withServer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("subject"); // null: the initial text
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("refusal");
        const QString lineBreak = QStringLiteral("收件人、主题和邮件设置中不能含有换行符或控制字符");
        QTest::newRow("no server") << false << Identity << QString() << false << "设置不正确，请在选项/邮件中设置";
        QTest::newRow("cleared by 重写") << true << Identity << QString() << true << "没有填写收件人，或者邮件主题，或者邮件内容";
        QTest::newRow("CR LF in the subject") << true << Identity << "Hi\r\nBcc: all@example.com" << false << lineBreak;
        QTest::newRow("CR in a setting") << true << "A\rrcpt to: all@example.com" << QString() << false << lineBreak;
        QTest::newRow("the initial texts are filled") << true << Identity << QString() << false << QString();
    }
    void theSendButtonChecksFirst()
    {
        QFETCH(bool, withServer);
        QFETCH(QString, name);
        QFETCH(QString, subject);
        QFETCH(bool, reset);
        QFETCH(QString, refusal);
        LoopbackSmtpServer server;
        MailDesk desk(withServer ? QStringLiteral("127.0.0.1") : QString(), Forever, name, {.plain = server.serverPort()});
        if (!subject.isNull())
            desk.fixture.field("txtMailSubject")->setText(subject);
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
        QTRY_VERIFY(desk.idle() && server.clientClosed);
        QVERIFY(server.messages.value(0).contains("\r\nTo: " + gb18030(QStringLiteral("收件人地址")) + "\r\n"));
    }

    // Every line on the wire, and the message as a mail reader reads it.
    void aWillingServerGetsTheMessageWhole()
    {
        LoopbackSmtpServer server;
        ClassicDesk desk(server);
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
        QVERIFY(desk.sendButton()->hasFocus());
        QStringList seen{desk.fixture.field<QLabel>("StatusTXT")->text()};
        for (const QList<QVariant> &status : statuses)
            seen.append(status.at(0).toString());
        QCOMPARE(seen, QStringList({"Winsock 状态", "正在连接....", "成功连接到服务器", "正在发送消息", "断开连接", "Winsock 状态"}));

        QJsonObject read = readMail(server.messages.value(0));
        QVERIFY(qAbs(read.take("date").toDouble() - QDateTime::currentSecsSinceEpoch()) < 60);
        QCOMPARE(read, QJsonObject({{"subject", QStringLiteral("你好 Hello")}, {"body", QString(body + "\n\n").replace("\n", "\r\n")},
                                    {"from", Identity}, {"address", Address}, {"charset", "gb18030"}, {"defects", 0}}));
    }

    void everyEndingClosesAndFreesTheButton_data()
    {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<int>("wait");
        QTest::addColumn<QByteArrayList>("verbs"); // the commands the server hears
        QTest::addColumn<QStringList>("messages");
        const QByteArrayList all{"HELO", "mail", "rcpt", "data", "quit"};
        const QString rejected = QStringLiteral("SMTP服务器错误，错误号 250 错误号返回自: ");
        QTest::newRow("replies in pieces, some of many lines")
            << QByteArrayList{"2|20 hi\r\n", "250-loopback\r\n250-PIPELINING\r|\n250 8BITMIME\r\n", "25|0 Ok\r|\n", "250 Ok\r\n",
                              "354-go\r\n|354 on\r\n", "250 queued\r\n", "22|1 Bye\r\n"}
            << Forever << all << QStringList();
        QTest::newRow("550 of two lines to rcpt to:")
            << QByteArrayList{"220 hi\r\n", "250 hi\r\n", "250 Ok\r\n", "550-5.1.1 <li@example.com>: unknown\r\n|550 5.1.1 no such user\r\n"}
            << Forever << QByteArrayList{"HELO", "mail", "rcpt", "quit"}
            << QStringList{rejected + "550-5.1.1 <li@example.com>: unknown\r\n550 5.1.1 no such user"};
        QTest::newRow("silence") << QByteArrayList() << 150 << all << QStringList(7, QStringLiteral("SMTP服务器超时"));
        QTest::newRow("nobody there") << QByteArrayList{"closed"} << Forever << QByteArrayList() << QStringList{"出错，请检查设置！"};
    }
    void everyEndingClosesAndFreesTheButton()
    {
        QFETCH(QByteArrayList, script);
        QFETCH(int, wait);
        QFETCH(QByteArrayList, verbs);
        QFETCH(QStringList, messages);
        LoopbackSmtpServer server(script);
        const quint16 port = server.serverPort();
        if (script == QByteArrayList{"closed"})
            server.close();
        MailDesk desk(QStringLiteral("127.0.0.1"), wait, Identity, {.plain = port});
        desk.fixture.press("cmdMailSend");
        QVERIFY(!desk.idle()); // the click is over while the dialogue goes on
        QTRY_VERIFY(desk.idle() && (server.clientClosed || verbs.isEmpty()));
        QByteArrayList heard;
        for (const QByteArray &command : server.commands)
            if (const QByteArray verb = command.split(' ').first().split(':').first(); QByteArrayList{"HELO", "mail", "rcpt", "data", "quit"}.contains(verb))
                heard.append(verb);
        QCOMPARE(heard, verbs);
        QStringList shown;
        for (const auto &message : desk.fixture.prompts().messages)
            shown.append(message.text);
        QCOMPARE(shown, messages);
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
    }

    void theBodyCannotEndTheMessage_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("wire");
        const QString x998(998, 'x'), zh(499, QChar(0x4e2d)); // 998 bytes of GB18030
        QTest::newRow("dots") << "a\n.b\n." << "a\r\n..b\r\n..\r\n\r\n";
        QTest::newRow("bare LF and CR") << "a\nb\rc\r\nd\n" << "a\r\nb\r\nc\r\nd\r\n\r\n\r\n";
        QTest::newRow("long line") << QString(2000, 'x') << x998 + "\r\n" + x998 + "\r\nxxxx\r\n\r\n";
        QTest::newRow("dot at a wrap") << "." + QString(1998, 'x') << ".." + x998.left(996) + "\r\n" + x998 + "\r\nxxxx\r\n\r\n";
        QTest::newRow("Chinese cut between characters") << zh + zh.left(1) << zh + "\r\n" + zh.left(1) + "\r\n\r\n";
    }
    void theBodyCannotEndTheMessage()
    {
        QFETCH(QString, body);
        QFETCH(QString, wire);
        const QByteArray content = MailMessage(Identity, Address, "to", "to", "s", body).content();
        QCOMPARE(content.mid(content.indexOf("\r\n\r\n") + 4), gb18030(wire));
    }

    void theDateIsInItsZone()
    {
        const QDateTime when(QDate(2026, 12, 6), QTime(19, 2, 48), QTimeZone(8 * 3600));
        QCOMPARE(MailMessage::dateText(when), QStringLiteral("Sun, 06 Dec 2026 19:02:48 +0800"));
        QCOMPARE(MailMessage::dateText(when.toOffsetFromUtc(-(3 * 3600 + 1800))), QStringLiteral("Sun, 06 Dec 2026 07:32:48 -0330"));
    }
};

QTEST_MAIN(tst_Mail)
#include "tst_mail.moc"
