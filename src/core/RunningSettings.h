#pragma once

#include "AppInfo.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class Prompts;
class QWidget;
class SettingsStore;
struct SettingKey;

// The settings the program runs with. Each room declares its keys and reads them
// here; a change is written through the store first and only then heard, by
// whoever follows the key.
class RunningSettings : public QObject
{
    Q_OBJECT
public:
    explicit RunningSettings(SettingsStore &store, QObject *parent = nullptr);

    // The stored text, or the key's default when it is absent.
    QString text(const SettingKey &key, const QString &application = AppInfo::Title) const;
    // The whole number the stored text begins with ("12a" is 12), held to the key's
    // range; the key's default when it is absent or begins with no number (empty, wordy).
    int numberOrDefault(const SettingKey &key, const QString &application = AppInfo::Title) const;
    // A switch: on exactly when that number is 1.
    bool isOn(const SettingKey &key, const QString &application = AppInfo::Title) const;
    bool contains(const SettingKey &key) const;

    // Stores text under key. False when the store could not be written: error (when
    // given) then names the file and the reason, and nothing is heard.
    bool set(const SettingKey &key, const QString &text, QString *error = nullptr,
             const QString &application = AppInfo::Title);
    bool setNumber(const SettingKey &key, int number, QString *error = nullptr);
    bool setOn(const SettingKey &key, bool on, QString *error = nullptr,
               const QString &application = AppInfo::Title);
    // The same, telling the user through prompts when it fails.
    bool setOrReport(const SettingKey &key, const QString &text, Prompts &prompts, QWidget *owner,
                     const QString &application = AppInfo::Title);
    // The sets of changes written in one go; they are heard only once it is written.
    // False, with the error, when it could not be.
    bool transaction(const std::function<void()> &changes, QString *error = nullptr);

    // Calls heard with the new text whenever key is set to another text, while receiver lives.
    void follow(const SettingKey &key, QObject *receiver, const std::function<void(const QString &)> &heard);

signals:
    void changed(const QString &section, const QString &key, const QString &text);

private:
    SettingsStore &m_store;
    bool m_inTransaction = false;
    QList<std::function<void()>> m_held; // what a transaction tells once written
};
