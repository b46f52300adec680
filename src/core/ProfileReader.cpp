#include "ProfileReader.h"

#include "IniFile.h"

ProfileReader::ProfileReader(const QString &path) : m_document(IniFile::profile(path).read()) {}

QString ProfileReader::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const auto found = m_document ? m_document->value(section, key) : std::nullopt;
    return found ? cutToProfileLimit(*found) : defaultValue;
}
