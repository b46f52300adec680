#pragma once

#include "core/ProcessLauncher.h"
#include "core/StartedProcess.h"

#include <QList>
#include <QPointer>

#include <utility>

// A program "started" by ScriptedLauncher::start: it runs until the test or end() finishes it,
// and has written what the test puts in written.
class ScriptedProcess : public StartedProcess
{
public:
    bool done = false;
    QByteArray written;
    bool running() const override { return !done; }
    void end() override { finish(); }
    QByteArray output() const override { return written; }
    void finish()
    {
        if (!std::exchange(done, true))
            emit finished();
    }
};

// Records the programs it is asked to start; starts nothing.
class ScriptedLauncher : public ProcessLauncher
{
public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    QList<Start> started;
    QList<QPointer<ScriptedProcess>> processes; // what start() gave, in order
    QString failure; // when set, every start fails with this reason

    bool startDetached(const QString &program, const QStringList &arguments, QString *error) override
    {
        started.append({program, arguments});
        if (error)
            *error = failure;
        return failure.isEmpty();
    }

    StartedProcess *start(const QString &program, const QStringList &arguments, QString *error) override
    {
        if (!startDetached(program, arguments, error))
            return nullptr;
        processes.append(new ScriptedProcess);
        return processes.last();
    }
};
