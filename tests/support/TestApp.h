#pragma once

#include "ScriptedLauncher.h"
#include "ScriptedPrompts.h"
#include "ScriptedSecrets.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "document/webengine/WebEngineEnvironment.h"
#include "document/AppContext.h"

#include <QTemporaryDir>
#include <memory>

// A program folder made from data/ in a temporary folder, a profile folder made
// from it as start-up makes one, its own settings, scripted prompts and process
// start, and the real web engine.
class TestApp
{
public:
    TestApp();
    ~TestApp();

    ScriptedPrompts prompts;
    ScriptedLauncher launcher;
    ScriptedSecrets secrets;
    AppContext context;

    QString folder() const { return m_dir.path(); }
    // A file of the program folder.
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // A file of the profile folder.
    QString profileFile(const QString &name) const { return context.profileFolder + QLatin1Char('/') + name; }
    // Writes a file into the program folder and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    SettingsStore &settings() { return *m_settings; }
    RunningSettings &running() { return *m_running; }
    WebEngineEnvironment &web() { return *m_web; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<RunningSettings> m_running;
    std::unique_ptr<WebEngineEnvironment> m_web;
};

// Copies the shipped data folder into dest.
void copyDataFolder(const QString &dest);
