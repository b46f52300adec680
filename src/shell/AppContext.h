#pragma once

#include <QString>

class BrowserFactory;
class ProcessLauncher;
class Prompts;
class RunningSettings;
class SecretStore;

// What the windows need from outside: passed in, so a test can build any window alone.
struct AppContext {
    QString programFolder;   // what ships: TIPOFDAY.TXT, help.htm, images, the first profile files
    QString profileFolder;   // where the profile files are read and written
    QString tipsApplication; // settings application of the tips flag: the executable's base name
    RunningSettings *settings = nullptr; // over the settings store
    Prompts *prompts = nullptr;
    SecretStore *secrets = nullptr;
    BrowserFactory *browsers = nullptr;
    ProcessLauncher *launcher = nullptr;

    QString programFile(const QString &name) const { return programFolder + QLatin1Char('/') + name; }
};
