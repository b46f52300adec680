#pragma once

#include "ScriptedPrompts.h"
#include "app/AppContext.h"
#include "app/SettingsStore.h"
#include "document/WebEngineEnvironment.h"

#include <QTemporaryDir>
#include <memory>

// A program folder made from data/ in a temporary folder, with its own settings,
// scripted prompts and the real web engine.
class TestApp
{
public:
    TestApp();
    ~TestApp();

    AppContext context;
    ScriptedPrompts prompts;
    QString folder() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Writes a file into the program folder and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    SettingsStore &settings() { return *m_settings; }
    WebEngineEnvironment &web() { return *m_web; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<WebEngineEnvironment> m_web;
};

// Copies the shipped data folder into dest.
void copyDataFolder(const QString &dest);
