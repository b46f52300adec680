#include "SettingKeys.h"

#include <QSet>

#include <cstdio>
#include <cstdlib>

namespace {

SettingKey declared(SettingKey key)
{
    if (!SettingKey::claim(key.section, key.key)) {
        // Two meanings under one stored name would overwrite each other.
        std::fprintf(stderr, "setting %s/%s declared twice\n", qPrintable(key.section), qPrintable(key.key));
        std::abort();
    }
    return key;
}

} // namespace

bool SettingKey::claim(const QString &section, const QString &key)
{
    static QSet<QString> names;
    const QString name = (section + u'/' + key).toCaseFolded();
    if (names.contains(name))
        return false;
    names.insert(name);
    return true;
}

SettingKey SettingKey::text(const char *section, const char *key, const QString &defaultValue)
{
    return declared({QString::fromUtf8(section), QString::fromUtf8(key), Type::Text, defaultValue});
}

SettingKey SettingKey::number(const char *section, const char *key, int defaultValue, int low, int high)
{
    return declared({QString::fromUtf8(section), QString::fromUtf8(key), Type::Number, QString::number(defaultValue), low, high});
}

SettingKey SettingKey::onOff(const char *section, const char *key, bool defaultOn)
{
    return declared({QString::fromUtf8(section), QString::fromUtf8(key), Type::Switch, stored(defaultOn)});
}
