#pragma once

#include <QList>
#include <QString>

// One search engine: the query goes between prefix and suffix.
struct Engine
{
    QString name;
    QString prefix;
    QString suffix;

    // The form the search reads back: "LX=" prefix "RX=" suffix.
    QString tag() const;
};

// One group file of engines.ini.
struct EngineGroup
{
    QString key;  // "Englishname"
    QString name; // "ChineseName"
    QList<Engine> engines;
};

// Reads engines.ini in profileFolder and every group file it names, in file order.
QList<EngineGroup> loadEngineGroups(const QString &profileFolder);

// Parses one "e N" entry: name, ignored note and URL template split at the first
// two commas, the query's place being the first marker after the second comma.
// False when the entry is not listed.
bool parseEngineEntry(const QString &entry, const QString &marker, Engine *engine);
