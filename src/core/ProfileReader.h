#pragma once

#include "IniDocument.h"

#include <QString>

#include <optional>

// One profile file read once: the answers of ReadINI for each of its keys,
// without opening and parsing the file again for every one.
class ProfileReader
{
public:
    explicit ProfileReader(const QString &path);

    QString value(const QString &section, const QString &key, const QString &defaultValue = QString()) const;

private:
    std::optional<IniDocument> m_document;
};
