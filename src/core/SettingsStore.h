#pragma once

#include "AppInfo.h"
#include "SettingKeys.h"

#include "IniDocument.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Per-user settings: one UTF-8 INI file per application, named after the
// application in lower case, under the folder. Application, section and key
// compare without regard to case; values are stored verbatim as key=value.
// Each file is read once and then served from memory; a write reads it again
// under its lock, so another running program's changes are kept, and replaces it.
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
    bool save(const SettingKey &key, const QString &value, QString *error = nullptr,
              const QString &application = AppInfo::Title);
    // Whether the key is stored at all, empty or not.
    bool contains(const SettingKey &key, const QString &application = AppInfo::Title) const;

    // Saves from here to commit() are written together, one replace per file.
    void begin();
    // Writes what was saved since begin(); false, with the file and the reason, when it
    // could not be written, and the store then holds what the file holds.
    bool commit(QString *error = nullptr);

    QString folder() const;

    QString fileFor(const QString &application) const;

    // What the user is told of a failed write, error as save() gave it.
    static QString failureText(const QString &error);

private:
    struct Change
    {
        QString file;
        QString section;
        QString key;
        QString value;
    };

    const IniDocument &document(const QString &file) const;
    bool write(const QString &file, const QList<Change> &changes, QString *error);

    QString m_folder;
    mutable QHash<QString, IniDocument> m_documents; // by file
    QList<Change> m_pending;
    bool m_batch = false;
};

// The value of the number a text starts with, blanks before it skipped:
// "12abc" -> 12, " 3.5 " -> 3.5, "1e3" -> 1000, "abc" and "" -> nullopt.
std::optional<double> leadingNumber(const QString &text);
