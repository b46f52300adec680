#include "DetachedProcessLauncher.h"

#include "ChildProcess.h"
#include "core/Logging.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool fail(const QString &why, QString *error)
{
    if (error)
        *error = why;
    return false;
}

// Made by the caller with the mode it chose: a missing file would be made here with the umask's.
bool outputFileReady(const QString &outputFile, QString *error)
{
    return outputFile.isEmpty() || QFileInfo(outputFile).isFile()
        || fail(QStringLiteral("输出文件不存在"), error);
}

} // namespace

bool DetachedProcessLauncher::startDetached(const QString &program, const QStringList &arguments,
                                            const QString &outputFile, QString *error)
{
    if (!outputFileReady(outputFile, error))
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!outputFile.isEmpty()) {
        // Both channels append, so neither writes over the other.
        process.setStandardOutputFile(outputFile, QIODevice::Append);
        process.setStandardErrorFile(outputFile, QIODevice::Append);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    qCInfo(lcPlatform) << "cannot start" << program << process.errorString();
    return fail(process.errorString(), error);
}

StartedProcess *DetachedProcessLauncher::start(const QString &program, const QStringList &arguments,
                                               const QString &outputFile, QString *error)
{
    // Looked up first, so that a missing program is said at once rather than by a later signal.
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        fail(QStringLiteral("找不到该程序"), error);
        return nullptr;
    }
    if (!outputFileReady(outputFile, error))
        return nullptr;
    return new ChildProcess(program, arguments, outputFile);
}
