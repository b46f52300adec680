#include "ChildProcess.h"

#include <QTimer>

namespace {

constexpr int KillAfterMs = 1000;

} // namespace

ChildProcess::ChildProcess(const QString &program, const QStringList &arguments, const QString &outputFile,
                           QObject *parent)
    : StartedProcess(parent)
{
    connect(&m_process, &QProcess::finished, this, &StartedProcess::finished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit finished();
    });
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setStandardInputFile(QProcess::nullDevice());
    const QString into = outputFile.isEmpty() ? QProcess::nullDevice() : outputFile;
    m_process.setStandardOutputFile(into, QIODevice::Append);
    m_process.setStandardErrorFile(into, QIODevice::Append);
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
