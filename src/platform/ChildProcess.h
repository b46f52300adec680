#pragma once

#include "core/StartedProcess.h"

#include <QProcess>

// A program we follow through QProcess, its output read from a pipe; it is ended when we are.
class ChildProcess : public StartedProcess
{
    Q_OBJECT
public:
    // Starts program at once.
    ChildProcess(const QString &program, const QStringList &arguments, QObject *parent = nullptr);

    bool running() const override;
    // Asks the program to end, and kills it when it has not after a second.
    void end() override;
    QByteArray output() const override { return m_output; }

private:
    void read();

    QProcess m_process;
    QByteArray m_output;
};
