#pragma once

#include "core/ProcessLauncher.h"

// Starts programs with QProcess: detached ones live on when Vantorel ends, followed
// ones end with it.
class DetachedProcessLauncher : public ProcessLauncher
{
public:
    bool startDetached(const QString &program, const QStringList &arguments, QString *error) override;
    StartedProcess *start(const QString &program, const QStringList &arguments, QString *error) override;
};
