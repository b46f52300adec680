#include "CommandRunner.h"

#include "CommandRun.h"
#include "NetSettings.h"
#include "core/RunningSettings.h"

#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

const CommandRunner::Tool CommandRunner::Ping{
    "ping", "Timer1", NetSettings::PingTime, QStringLiteral("Ping时间设置错误，请到选项中设置"), 4000, true,
    [](const QString &host) {
        return QStringList{QStringLiteral("ping"), QStringLiteral("-c"), QStringLiteral("4"), host};
    }};

const CommandRunner::Tool CommandRunner::Netstat{
    "netstat", "Timer2", NetSettings::NetStatTime, QStringLiteral("Netstat时间设置错误，请到选项中设置"), 8000, false,
    [](const QString &) {
        if (QStandardPaths::findExecutable(QStringLiteral("netstat")).isEmpty())
            return QStringList{QStringLiteral("ss"), QStringLiteral("-tuna")};
        return QStringList{QStringLiteral("netstat"), QStringLiteral("-tuna")};
    }};

CommandRunner::CommandRunner(const Tool &tool, const AppContext &context, QWidget *page)
    : QObject(page), m_tool(tool), m_context(context), m_page(page), m_timer(new QTimer(this))
{
    setObjectName(QLatin1String(tool.name));
    m_timer->setObjectName(QLatin1String(tool.timer));
    m_timer->setSingleShot(true);
    RunningSettings &settings = *context.settings;
    // A wait under way keeps the interval it started with.
    const auto follow = [this, &settings, &key = tool.wait](const QString &) {
        if (!m_timer->isActive())
            m_timer->setInterval(settings.numberOrDefault(key));
    };
    follow(QString());
    settings.follow(tool.wait, m_timer, follow);
    connect(m_timer, &QTimer::timeout, this, &CommandRunner::Timer_Timer);
}

bool CommandRunner::isHostName(const QString &host)
{
    return !host.isEmpty() && !host.startsWith(u'-') && std::none_of(host.begin(), host.end(), [](QChar c) {
        return c.isSpace() || c.category() == QChar::Other_Control;
    });
}

void CommandRunner::start(const QString &host, qsizetype shown)
{
    const int wait = m_context.settings->numberOrDefault(m_tool.wait);
    if (wait == 0)
        return refuse(m_tool.waitError, Prompts::Information);
    if (m_tool.takesHost && !isHostName(host))
        return refuse(InvalidHost, Prompts::Warning);
    QString error;
    CommandRun *run = CommandRun::start(*m_context.launcher, m_tool.command(host), this, &error);
    if (!run)
        return refuse(error, Prompts::Critical);
    // A click during the wait starts the command again; the wait goes on and collects the new run.
    if (m_run)
        m_run->abandon();
    m_run = run;
    if (shown > m_tool.limit)
        emit cleared();
    emit appended(CrLf + QStringLiteral("请稍等 ") + QString::number(wait / 1000.0) + QStringLiteral("秒钟......"));
    if (!m_timer->isActive())
        m_timer->start(wait);
}

void CommandRunner::refuse(const QString &text, Prompts::Icon icon)
{
    m_context.prompts->message(m_page, text, QStringLiteral("Error"), icon);
}

void CommandRunner::Timer_Timer()
{
    CommandRun *run = m_run;
    m_run = nullptr;
    if (!run)
        return;
    connect(run, &CommandRun::collected, this, [this](const QString &output) {
        // Commands here start at once with their first line: it goes below the wait note.
        const bool ownLine = output.startsWith(u'\n') || output.startsWith(u'\r');
        emit appended((ownLine ? QString() : CrLf) + output + CrLf + Hint);
    });
    run->collect();
}
