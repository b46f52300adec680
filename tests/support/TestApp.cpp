#include "TestApp.h"

#include "OwnWarnings.h"
#include "core/ProfileFolder.h"
#include "platform/RenderingChoice.h"
#include "search/SearchUrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

// Tests render the way the program does on this machine.
void chooseRendering() { RenderingChoice::chooseBackend(); }
Q_COREAPP_STARTUP_FUNCTION(chooseRendering)

} // namespace

void copyDataFolder(const QString &dest)
{
    const QDir source(QStringLiteral(VANTOREL_DATA_DIR));
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = QDir(dest).filePath(source.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(from, to);
    }
}

TestApp::TestApp()
{
    failOnOwnWarnings();
    copyDataFolder(m_dir.path());
    const ProfileFolder profile(m_dir.filePath(QStringLiteral("user/profile")));
    profile.prepare(m_dir.filePath(QStringLiteral("profile")));
    m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("settings")));
    m_running = std::make_unique<RunningSettings>(*m_settings);
    m_web = std::make_unique<WebEngineEnvironment>(prompts, *m_running);
    m_web->setTypedSearch([folder = profile.path()](const QString &query) { return firstEngineSearch(folder, query); });
    context.programFolder = m_dir.path();
    context.profileFolder = profile.path();
    context.tipsApplication = AppTitle;
    context.settings = m_running.get();
    context.prompts = &prompts;
    context.secrets = &secrets;
    context.browsers = m_web.get();
    context.launcher = &launcher;
}

TestApp::~TestApp() = default;

QString TestApp::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}
