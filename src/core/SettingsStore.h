#pragma once

#include "AppInfo.h"
#include "SettingKeys.h"

#include <QString>

#include <optional>

// Per-user settings: one UTF-8 INI file per application, named after the
// application in lower case, under the folder. Application, section and key
// compare without regard to case; values are stored verbatim as key=value.
class SettingsStore
{
public:
    // folder defaults to $XDG_CONFIG_HOME/Vantorel
    explicit SettingsStore(const QString &folder = QString());

    QString get(const QString &application, const QString &section, const QString &key,
                const QString &defaultValue = QString()) const;
    // False when the file could not be written; error (when given) then names the file and the reason.
    bool save(const QString &application, const QString &section, const QString &key, const QString &value,
              QString *error = nullptr);
    // The value as a number; absent, empty or not a number gives defaultValue.
    double number(const QString &application, const QString &section, const QString &key,
                  double defaultValue) const;
    // The same by the key table, under the application title unless said otherwise.
    QString get(const SettingKey &key, const QString &application = AppInfo::Title) const;
    // Not a number reads as the key's default.
    double number(const SettingKey &key, const QString &application = AppInfo::Title) const;
    bool save(const SettingKey &key, const QString &value, QString *error = nullptr,
              const QString &application = AppInfo::Title);
    // Whether the key is stored at all, empty or not.
    bool contains(const SettingKey &key, const QString &application = AppInfo::Title) const;

    QString folder() const;

    QString fileFor(const QString &application) const;

    // What the user is told of a failed write, error as save() gave it.
    static QString failureText(const QString &error);

private:
    QString m_folder;
};

class Prompts;
class QWidget;

// Saves the key, and tells the user through prompts when it could not be saved.
bool saveOrReport(SettingsStore &settings, Prompts &prompts, QWidget *owner, const SettingKey &key,
                  const QString &value, const QString &application = AppInfo::Title);

// The value of the number a text starts with, blanks before it skipped:
// "12abc" -> 12, " 3.5 " -> 3.5, "1e3" -> 1000, "abc" and "" -> nullopt.
std::optional<double> leadingNumber(const QString &text);
