#include "CommandRun.h"

#include "core/ProcessLauncher.h"
#include "core/StartedProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTimer>

#include <langinfo.h>
#include <memory>

namespace {

constexpr std::chrono::milliseconds ReopenEvery{200};
constexpr std::chrono::seconds ReopenFor{3};
constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Commands write in the locale's encoding. Qt's System encoding is UTF-8 on Unix
// whatever the locale, so the C library is asked; ASCII is read as UTF-8, its superset.
QString decodeLocal(const QByteArray &bytes)
{
    const char *codeset = nl_langinfo(CODESET);
    QStringDecoder local(codeset);
    if (!local.isValid() || qstrcmp(codeset, "ANSI_X3.4-1968") == 0)
        return QStringDecoder(QStringConverter::System).decode(bytes);
    return local.decode(bytes);
}

} // namespace

CommandRun::CommandRun(QObject *parent) : QObject(parent) {}

QString CommandRun::folder(QString *error)
{
    // The runtime folder is the user's alone and lives in memory; without one, the cache.
    const bool runtime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QString base = QStandardPaths::writableLocation(runtime ? QStandardPaths::RuntimeLocation
                                                                  : QStandardPaths::GenericCacheLocation);
    const QString path = base + QStringLiteral("/vantorel-tools");
    // Made private from the start; one made before is made private again.
    const bool made = QDir().mkpath(base) && QDir().mkdir(path, OwnerOnly);
    if (made || (QFileInfo(path).isDir() && QFile::setPermissions(path, OwnerOnly)))
        return path;
    if (error)
        *error = QStringLiteral("无法创建文件夹 ") + QDir::toNativeSeparators(path);
    return QString();
}

CommandRun *CommandRun::start(ProcessLauncher &launcher, const QStringList &command, QObject *parent,
                              QString *error)
{
    const QString folder = CommandRun::folder(error);
    if (folder.isEmpty())
        return nullptr;
    std::unique_ptr<CommandRun> run(new CommandRun(parent));
    // QTemporaryFile makes its file readable and writable by its owner only.
    run->m_file.setFileTemplate(folder + QStringLiteral("/output-XXXXXX.txt"));
    if (!run->m_file.open()) {
        if (error)
            *error = QStringLiteral("无法创建输出文件：") + run->m_file.errorString();
        return nullptr;
    }
    run->m_file.close();
    QString why;
    run->m_process = launcher.start(command.first(), command.mid(1), run->outputFile(), &why);
    if (!run->m_process) {
        if (error)
            *error = QStringLiteral("无法运行 %1：%2").arg(command.first(), why);
        return nullptr;
    }
    run->m_process->setParent(run.get());
    return run.release();
}

void CommandRun::collect()
{
    m_giveUp = std::chrono::steady_clock::now() + ReopenFor;
    if (!m_process->running())
        return read();
    connect(m_process, &StartedProcess::finished, this, &CommandRun::read, Qt::SingleShotConnection);
    m_process->end();
}

void CommandRun::abandon()
{
    m_file.remove();
    if (!m_process->running())
        return deleteLater();
    connect(m_process, &StartedProcess::finished, this, &QObject::deleteLater);
    m_process->end();
}

void CommandRun::read()
{
    QFile file(outputFile());
    if (!file.exists() && std::chrono::steady_clock::now() < m_giveUp) {
        QTimer::singleShot(ReopenEvery, this, &CommandRun::read);
        return;
    }
    // A file that is there but cannot be opened gives nothing, as an empty one does.
    QString output = file.exists() ? QString() : NoOutput;
    if (file.open(QIODevice::ReadOnly))
        output = decodeLocal(file.readAll());
    m_file.remove();
    emit collected(output);
    deleteLater();
}
