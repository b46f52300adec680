// bench_mail: what a send costs the program while the server takes its time.
//
//   bench_mail [--runs N] [--hold MS]
//
// The mail page sends a Chinese message to a loopback SMTP server (in a thread
// of its own) that holds each of its seven replies for MS milliseconds (default
// 1000). For each run it prints the time the send took, the CPU time of the
// program's thread from the click until the dialogue is over (the socket, the
// timers and the page all live there), the whole process's CPU time (the server
// thread and the web engine's threads included), and the time from the server's
// last reply until it saw the connection closed. The last line is
//
//   cpu_ms C
//
// C: the most CPU time of the program's thread over the runs. Exit status 1 when
// a message did not arrive.

#include "LoopbackSmtpServer.h"
#include "PageFixture.h"
#include "nettools/MailPage.h"
#include "nettools/NetSettings.h"

#include <QApplication>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>

namespace {

double cpuMs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

int fail(const char *what)
{
    std::fprintf(stderr, "bench_mail: %s\n", what);
    return 1;
}

struct Run {
    double sendS, threadCpuMs, processCpuMs, closeMs;
};

// One send through the page, timed from the click until the server saw the connection closed.
std::optional<Run> send(PageFixture &fixture, LoopbackSmtpServer &server, int run)
{
    QEventLoop loop;
    QObject::connect(&server, &LoopbackSmtpServer::closed, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    fixture.field("txtMailSubject")->setText(QStringLiteral("测试邮件 %1").arg(run));
    const double thread0 = cpuMs(CLOCK_THREAD_CPUTIME_ID), process0 = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    QElapsedTimer clock;
    clock.start();
    fixture.press("cmdMailSend");
    loop.exec();
    const double sendS = double(clock.nsecsElapsed()) / 1e9;
    const double threadCpu = cpuMs(CLOCK_THREAD_CPUTIME_ID) - thread0;
    const double processCpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - process0;
    qint64 lastReply = -1, closed = -1;
    qsizetype messages = 0;
    QMetaObject::invokeMethod(&server, [&] { lastReply = server.lastReplyNs; closed = server.closedNs; messages = server.messages.size(); },
                              Qt::BlockingQueuedConnection);
    if (messages != run || closed < lastReply || !fixture.field<QPushButton>("cmdMailSend")->isEnabled())
        return std::nullopt;
    return Run{sendS, threadCpu, processCpu, double(closed - lastReply) / 1e6};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int runs = 3, hold = 1000;
    const QStringList args = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = args[++i].toInt();
        else if (args[i] == QLatin1String("--hold") && i + 1 < args.size())
            hold = args[++i].toInt();
        else
            return fail("usage: bench_mail [--runs N] [--hold MS]");
    }
    if (runs < 1 || hold < 0)
        return fail("--runs must be at least 1 and --hold not negative");

    QThread serverThread;
    serverThread.start();
    LoopbackSmtpServer *server = nullptr;
    QObject home;
    home.moveToThread(&serverThread);
    QMetaObject::invokeMethod(&home, [&] { server = new LoopbackSmtpServer(LoopbackSmtpServer::Accepting, hold); },
                              Qt::BlockingQueuedConnection);

    PageFixture fixture;
    fixture.running.set(NetSettings::SmtpServer, server->address());
    fixture.running.set(NetSettings::UserName, QStringLiteral("张三"));
    fixture.running.set(NetSettings::MyEmail, QStringLiteral("zhang@example.com"));
    if (!fixture.show(new MailPage(fixture.context)))
        return fail("the page did not show");
    fixture.field("txtMailTO")->setText(QStringLiteral("li@example.com"));
    fixture.field<QPlainTextEdit>("txtMail")->setPlainText(QStringLiteral("你好，\n这是一封测试邮件。\n.\n再见"));

    double worst = 0;
    for (int run = 1; run <= runs; ++run) {
        const std::optional<Run> r = send(fixture, *server, run);
        if (!r)
            return fail("the message did not arrive whole");
        std::printf("run %d  send %.2f s  cpu %.1f ms (process %.1f ms)  closed %.2f ms after the last reply\n", run,
                    r->sendS, r->threadCpuMs, r->processCpuMs, r->closeMs);
        worst = std::max(worst, r->threadCpuMs);
    }
    QMetaObject::invokeMethod(&home, [&] { delete server; }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();
    std::printf("cpu_ms %.1f\n", worst);
    std::fflush(stdout);
    return 0;
}
