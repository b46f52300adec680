#include "CommandRun.h"

#include "core/ProcessLauncher.h"
#include "core/StartedProcess.h"

#include <QStringDecoder>

#include <langinfo.h>

namespace {

// Commands write in the locale's encoding. Qt's System encoding is UTF-8 on Unix
// whatever the locale, so the C library is asked; ASCII is read as UTF-8, its superset.
QString decodeLocal(const QByteArray &bytes)
{
    const char *codeset = nl_langinfo(CODESET);
    QStringDecoder local(codeset);
    if (!local.isValid() || qstrcmp(codeset, "ANSI_X3.4-1968") == 0)
        return QStringDecoder(QStringConverter::System).decode(bytes);
    return local.decode(bytes);
}

} // namespace

CommandRun::CommandRun(StartedProcess *process, QObject *parent) : QObject(parent), m_process(process)
{
    m_process->setParent(this);
}

CommandRun *CommandRun::start(ProcessLauncher &launcher, const QStringList &command, QObject *parent,
                              QString *error)
{
    QString why;
    StartedProcess *process = launcher.start(command.first(), command.mid(1), &why);
    if (!process && error)
        *error = QStringLiteral("无法运行 %1：%2").arg(command.first(), why);
    return process ? new CommandRun(process, parent) : nullptr;
}

void CommandRun::collect()
{
    if (!m_process->running())
        return read();
    connect(m_process, &StartedProcess::finished, this, &CommandRun::read, Qt::SingleShotConnection);
    m_process->end();
}

void CommandRun::abandon()
{
    if (!m_process->running())
        return deleteLater();
    connect(m_process, &StartedProcess::finished, this, &QObject::deleteLater);
    m_process->end();
}

void CommandRun::read()
{
    emit collected(decodeLocal(m_process->output()));
    deleteLater();
}
