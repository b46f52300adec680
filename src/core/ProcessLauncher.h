#pragma once

#include <QString>
#include <QStringList>

// Starts programs without waiting for them and without a shell: the program and
// each argument are passed as they are.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;

    // With outputFile, the program's standard output and error are written there.
    // False when the program could not be started; error then says why.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &outputFile = QString(), QString *error = nullptr) = 0;
};
