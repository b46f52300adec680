#pragma once

#include "core/StartedProcess.h"

#include <QProcess>

// A program we follow through QProcess; it is ended when we are.
class ChildProcess : public StartedProcess
{
    Q_OBJECT
public:
    // Starts program at once, its standard output and error appended to outputFile (none: dropped).
    ChildProcess(const QString &program, const QStringList &arguments, const QString &outputFile,
                 QObject *parent = nullptr);

    bool running() const override;
    // Asks the program to end, and kills it when it has not after a second.
    void end() override;

private:
    QProcess m_process;
};
