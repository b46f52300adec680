#include "MailDesk.h"

#include "UserInput.h"
#include "nettools/NetSettings.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QJsonDocument>
#include <QProcess>

MailDesk::MailDesk(const QString &server, int wait, const QString &name, const SmtpPorts &ports)
{
    for (const auto &[key, text] : {std::pair{&NetSettings::SmtpServer, server}, {&NetSettings::UserNameWrite, name},
                                    {&NetSettings::MyEmail, Address}})
        fixture.running.set(*key, text);
    if (name.contains(QLatin1Char('\r'))) { // the store writes a line break as a blank: only a hand edit leaves one
        fixture.app.writeFile("settings/vantorel.ini", ("[Email]\nSMTP=" + server + "\nUserName=" + name + "\nMyEmail=" + Address).toUtf8());
        fixture.running.set(NetSettings::PingTime, QStringLiteral("1")); // the store reads the file again
    }
    fixture.show(page = new MailPage(fixture.context, wait, ports));
    sender = page->findChild<SmtpSender *>();
}

void MailDesk::type(const char *field, const QString &text)
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

void MailDesk::send(const QString &to, const QString &subject, const QString &body)
{
    type("txtMailTO", to);
    type("txtMailSubject", subject);
    type("txtMail", body);
    fixture.press("cmdMailSend");
}

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
