#include "DetachedProcessLauncher.h"

#include "core/Logging.h"

#include <QFile>
#include <QProcess>

bool DetachedProcessLauncher::startDetached(const QString &program, const QStringList &arguments,
                                            const QString &outputFile, QString *error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!outputFile.isEmpty()) {
        // Both channels append to one emptied file, so neither writes over the other.
        QFile(outputFile).open(QIODevice::WriteOnly | QIODevice::Truncate);
        process.setStandardOutputFile(outputFile, QIODevice::Append);
        process.setStandardErrorFile(outputFile, QIODevice::Append);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    qCInfo(lcPlatform) << "cannot start" << program << process.errorString();
    if (error)
        *error = process.errorString();
    return false;
}
