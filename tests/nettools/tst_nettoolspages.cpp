#include "Named.h"
#include "PageFixture.h"
#include "nettools/MailPage.h"
#include "nettools/ToolsPage.h"

#include "nettools/NetSettings.h"
#include "core/RunningSettings.h"
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

int top(QWidget *w, QWidget *page) { return w->mapTo(page, QPoint(0, 0)).y(); }
int bottom(QWidget *w, QWidget *page) { return w->mapTo(page, QPoint(0, w->height())).y(); }

} // namespace

// The mail tab and the tools tab: their fields and how they share the page.
class tst_NettoolsPages : public QObject
{
    Q_OBJECT

private slots:
    void mailPageStacksWithoutGaps()
    {
        PageFixture fixture;
        auto *mail = new MailPage(fixture.context);
        QVERIFY(fixture.show(mail));
        QCOMPARE(child<QLineEdit>(mail, QStringLiteral("txtMailTO"))->text(), QStringLiteral("收件人地址"));
        QCOMPARE(child<QLineEdit>(mail, QStringLiteral("txtMailSubject"))->text(), QStringLiteral("主题"));
        QCOMPARE(child<QPlainTextEdit>(mail, QStringLiteral("txtMail"))->toPlainText(), QStringLiteral("邮件正文"));
        QCOMPARE(child<QLabel>(mail, QStringLiteral("StatusTXT"))->text(), QStringLiteral("Winsock状态"));
        QCOMPARE(child<QPushButton>(mail, QStringLiteral("cmdMailSend"))->text(), QStringLiteral("发送"));
        QCOMPARE(child<QPushButton>(mail, QStringLiteral("cmdMailReset"))->text(), QStringLiteral("重写"));
        const auto w = [mail](const char *name) { return child<QWidget>(mail, QLatin1String(name)); };
        for (int height : {540, 700, 420}) {
            fixture.window.resize(900, height);
            QTRY_COMPARE(fixture.window.height(), height);
            QCOMPARE(bottom(w("txtMail"), mail), top(w("cmdMailSend"), mail));
            QCOMPARE(top(w("cmdMailReset"), mail), top(w("cmdMailSend"), mail));
            QCOMPARE(top(w("StatusTXT"), mail), bottom(w("cmdMailSend"), mail));
            for (const char *field : {"txtMailTO", "txtMailSubject", "txtMail"})
                QCOMPARE(w(field)->width(), mail->width());
        }
        // A long line of the letter runs on to the right instead of wrapping.
        auto *body = child<QPlainTextEdit>(mail, QStringLiteral("txtMail"));
        QTest::keyClicks(body, QString(200, u'x'));
        QVERIFY(body->verticalScrollBar()->isVisible());
        QVERIFY(body->horizontalScrollBar()->isVisible());
        QVERIFY(body->horizontalScrollBar()->maximum() > 0);
    }

    void toolsPageLinesUpAsksForTheAddressAndFollowsTheWaits()
    {
        PageFixture fixture;
        auto *tools = new ToolsPage(fixture.context);
        QVERIFY(fixture.show(tools));
        const auto w = [tools](const char *name) { return child<QWidget>(tools, QLatin1String(name)); };
        QCOMPARE(child<QLineEdit>(tools, QStringLiteral("txtLocalIP"))->text(), QStringLiteral("本地IP："));
        QCOMPARE(child<QLineEdit>(tools, QStringLiteral("txtPINGHOST"))->text(), QString());
        auto *output = child<QPlainTextEdit>(tools, QStringLiteral("txtCommandOUTPUT"));
        QCOMPARE(output->toPlainText(), QStringLiteral("命令输出\n"));
        // Columns of command output line up, in lines that scroll sideways rather than wrap.
        QCOMPARE(output->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
        QCOMPARE(output->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(child<QPushButton>(tools, QStringLiteral("cmdPING"))->text(), QStringLiteral("PING"));
        auto *netstat = child<QPushButton>(tools, QStringLiteral("cmdViewLOCALport"));
        QCOMPARE(netstat->text(), QStringLiteral("察看活动连接及端口(NetStat)"));
        QCOMPARE(netstat->size(), QSize(193, 17));
        QCOMPARE(w("IPrefresh")->x(), w("txtLocalIP")->width());
        QCOMPARE(w("cmdPING")->x(), w("IPrefresh")->x());
        QCOMPARE(w("txtPINGHOST")->width(), w("txtLocalIP")->width());
        QCOMPARE(w("txtLocalIP")->width() + w("cmdPING")->width(), tools->width());
        QCOMPARE(w("txtCommandOUTPUT")->width(), tools->width());
        QCOMPARE(bottom(w("txtCommandOUTPUT"), tools), tools->height());
        QVERIFY(top(netstat, tools) < top(w("txtCommandOUTPUT"), tools));

        // The waits follow the settings as they are applied.
        auto *ping = child<QTimer>(tools, QStringLiteral("Timer1"));
        auto *netstatWait = child<QTimer>(tools, QStringLiteral("Timer2"));
        QCOMPARE(ping->interval(), 5000);
        QCOMPARE(netstatWait->interval(), 10000);
        fixture.running.set(NetSettings::PingTime, QStringLiteral("1500"));
        fixture.running.set(NetSettings::NetStatTime, QStringLiteral("2500"));
        QCOMPARE(ping->interval(), 1500);
        QCOMPARE(netstatWait->interval(), 2500);
    }
};

QTEST_MAIN(tst_NettoolsPages)
#include "tst_nettoolspages.moc"
