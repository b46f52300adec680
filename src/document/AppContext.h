#pragma once

#include <QString>

#include <functional>

class BrowserFactory;
class Documents;
class ProcessLauncher;
class Prompts;
class RunningSettings;
class SecretStore;

// What the shell hands every window and room: nothing above them is reached any
// other way. Built with designated initialisers, so no two fields can be swapped.
struct AppContext {
    QString programFolder;   // what ships: TIPOFDAY.TXT, help.htm, images, the first profile files
    QString profileFolder;   // where the profile files are read and written
    QString tipsApplication; // settings application of the tips flag: the executable's base name
    RunningSettings *settings = nullptr;
    Prompts *prompts = nullptr;
    ProcessLauncher *launcher = nullptr;
    SecretStore *secrets = nullptr;     // the desktop's keyring
    BrowserFactory *browsers = nullptr; // what pages show and play
    Documents *documents = nullptr;     // set by the main window for its rooms
    // A short note in the main window's status bar.
    std::function<void(const QString &text)> note = [](const QString &) {};
    // Shows the panel with the page of that id; with focus, the keyboard goes to it.
    std::function<void(const QString &pageId, bool focus)> showPage = [](const QString &, bool) {};

    QString programFile(const QString &name) const { return programFolder + QLatin1Char('/') + name; }
};
