#pragma once

#include <QString>
#include <QStringList>

class StartedProcess;

// Starts programs without a shell: the program and each argument are passed as they are.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;

    // Starts a program we do not wait for; it writes where we do.
    // False when the program could not be started; error then says why.
    virtual bool startDetached(const QString &program, const QStringList &arguments, QString *error = nullptr) = 0;
    // Starts a program that we follow and whose output we read through a pipe.
    // The caller owns the result; null, with error, when the program is missing.
    virtual StartedProcess *start(const QString &program, const QStringList &arguments, QString *error = nullptr) = 0;
};
