#pragma once

#include <QString>

class BrowserFactory;
class Prompts;
class SettingsStore;

// What the windows need from outside: passed in, so a test can build any window alone.
struct AppContext {
    QString programFolder;   // where the profile files, TIPOFDAY.TXT, help.htm and images live
    QString tipsApplication; // settings application of the tips flag: the executable's base name
    SettingsStore *settings = nullptr;
    Prompts *prompts = nullptr;
    BrowserFactory *browsers = nullptr;

    QString programFile(const QString &name) const { return programFolder + QLatin1Char('/') + name; }
};

// The application name of the settings store.
inline const QString AppTitle = QStringLiteral("Vantorel");
