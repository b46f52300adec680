#pragma once

#include "core/Prompts.h"
#include "document/AppContext.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class CommandRun;
class QTimer;
class QWidget;
struct SettingKey;

// Ping or Netstat: a click starts the command, the tool's timer waits as long as the
// settings say, then the command's output is collected. The text for the output
// area comes out of appended and cleared.
class CommandRunner : public QObject
{
    Q_OBJECT
public:
    struct Tool {
        const char *name;     // the runner's objectName
        const char *timer;    // the timer's objectName
        const SettingKey &wait;
        QString waitError;    // said when the wait is 0
        qsizetype limit;      // the output area is emptied first when it holds more
        bool takesHost;
        std::function<QStringList(const QString &host)> command; // the program, then its arguments
    };
    static const Tool Ping;
    static const Tool Netstat;
    static inline const QString Hint = QStringLiteral("如果信息显示不全或者不显示，你可以尝试设置更长的时间");
    static inline const QString InvalidHost = QStringLiteral("主机名无效");

    CommandRunner(const Tool &tool, const AppContext &context, QWidget *page);

    // The tool's button was clicked: host is the host field, shown how many characters
    // the output area holds.
    void start(const QString &host, qsizetype shown);
    // Not an option and one word: not empty, no leading "-", no blanks, no control characters.
    static bool isHostName(const QString &host);

signals:
    void cleared();
    void appended(const QString &text);

private:
    void refuse(const QString &text, Prompts::Icon icon);
    void Timer_Timer();

    const Tool &m_tool;
    AppContext m_context;
    QWidget *m_page;
    QTimer *m_timer;
    QPointer<CommandRun> m_run;
};
