#pragma once

#include <QString>

#include <functional>

class BrowserFactory;
class Documents;
class ProcessLauncher;
class Prompts;
class RunningSettings;
class SecretStore;

// What the shell hands every subsystem: nothing above it is reached any other way.
struct SubsystemContext {
    Documents *documents = nullptr;
    RunningSettings *settings = nullptr;
    Prompts *prompts = nullptr;
    ProcessLauncher *launcher = nullptr;
    SecretStore *secrets = nullptr; // the desktop's keyring
    BrowserFactory *browsers = nullptr; // what pages show and play
    QString programFolder; // what ships: images, help, the first profile files
    QString profileFolder; // where the profile files are read and written
    // A short note in the main window's status bar.
    std::function<void(const QString &text)> note = [](const QString &) {};
    // Shows the panel with the page of that id; with focus, the keyboard goes to it.
    std::function<void(const QString &pageId, bool focus)> showPage = [](const QString &, bool) {};
};
