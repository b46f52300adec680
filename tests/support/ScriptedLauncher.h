#pragma once

#include "core/ProcessLauncher.h"

#include <QList>

// Records the programs it is asked to start; starts nothing.
class ScriptedLauncher : public ProcessLauncher
{
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString outputFile;
    };
    QList<Start> started;
    QString failure; // when set, every start fails with this reason

    bool startDetached(const QString &program, const QStringList &arguments, const QString &outputFile,
                       QString *error) override
    {
        started.append({program, arguments, outputFile});
        if (error)
            *error = failure;
        return failure.isEmpty();
    }
};
