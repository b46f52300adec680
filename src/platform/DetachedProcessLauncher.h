#pragma once

#include "core/ProcessLauncher.h"

// Starts programs with QProcess, detached: they live on when Vantorel ends.
class DetachedProcessLauncher : public ProcessLauncher
{
public:
    bool startDetached(const QString &program, const QStringList &arguments, const QString &outputFile,
                       QString *error) override;
};
