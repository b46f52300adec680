#pragma once

#include <QString>

class BrowserFactory;
class Documents;
class ProcessLauncher;
class Prompts;
class RunningSettings;

// What the shell hands every subsystem: nothing above it is reached any other way.
struct SubsystemContext {
    Documents *documents = nullptr;
    RunningSettings *settings = nullptr;
    Prompts *prompts = nullptr;
    ProcessLauncher *launcher = nullptr;
    BrowserFactory *browsers = nullptr; // what pages show and play
    QString programFolder; // what ships: images, help, the first profile files
    QString profileFolder; // where the profile files are read and written
};
