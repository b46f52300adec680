#include "ChildProcess.h"

#include <QTimer>

namespace {

constexpr int KillAfterMs = 1000;

} // namespace

ChildProcess::ChildProcess(const QString &program, const QStringList &arguments, QObject *parent)
    : StartedProcess(parent)
{
    // QProcess reads the pipe once more before it says the program has ended.
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &ChildProcess::read);
    connect(&m_process, &QProcess::finished, this, &StartedProcess::finished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit finished();
    });
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start();
}

bool ChildProcess::running() const { return m_process.state() != QProcess::NotRunning; }

void ChildProcess::end()
{
    if (!running())
        return;
    m_process.terminate();
    QTimer::singleShot(KillAfterMs, &m_process, [this] {
        if (running())
            m_process.kill();
    });
}

void ChildProcess::read()
{
    m_output += m_process.read(OutputLimit - m_output.size());
    // Past the limit QProcess drains the pipe and drops what comes, so the program is not held up.
    if (m_output.size() == OutputLimit)
        m_process.closeReadChannel(QProcess::StandardOutput);
}
