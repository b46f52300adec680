#include "DetachedProcessLauncher.h"

#include "ChildProcess.h"
#include "core/Logging.h"

#include <QProcess>
#include <QStandardPaths>

bool DetachedProcessLauncher::startDetached(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    qCInfo(lcPlatform) << "cannot start" << program << process.errorString();
    if (error)
        *error = process.errorString();
    return false;
}

StartedProcess *DetachedProcessLauncher::start(const QString &program, const QStringList &arguments, QString *error)
{
    // Looked up first, so that a missing program is said at once rather than by a later signal.
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        if (error)
            *error = QStringLiteral("找不到该程序");
        return nullptr;
    }
    return new ChildProcess(program, arguments);
}
