#pragma once

#include <QString>
#include <QStringList>

class StartedProcess;

// Starts programs without waiting for them and without a shell: the program and
// each argument are passed as they are. An output file is the caller's to make,
// with the mode it chooses: it is only ever appended to here, never made or emptied.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;

    // With outputFile, the program's standard output and error are written there.
    // False when the program could not be started; error then says why.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &outputFile = QString(), QString *error = nullptr) = 0;
    // Starts a program that we follow, its standard output and error into outputFile (none: dropped).
    // The caller owns the result; null, with error, when the program or the file is missing.
    virtual StartedProcess *start(const QString &program, const QStringList &arguments, const QString &outputFile,
                                  QString *error = nullptr) = 0;
};
