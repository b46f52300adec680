#pragma once

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
    void save(const QString &application, const QString &section, const QString &key, const QString &value);
    // The value as a number; absent, empty or not a number gives defaultValue.
    double number(const QString &application, const QString &section, const QString &key,
                  double defaultValue) const;
    QString folder() const;

    QString fileFor(const QString &application) const;

private:
    QString m_folder;
};

// The value of the number a text starts with, blanks before it skipped:
// "12abc" -> 12, " 3.5 " -> 3.5, "1e3" -> 1000, "abc" and "" -> nullopt.
std::optional<double> leadingNumber(const QString &text);
