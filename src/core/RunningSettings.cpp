#include "RunningSettings.h"

#include "Prompts.h"
#include "SettingsStore.h"

#include <algorithm>
#include <utility>

RunningSettings::RunningSettings(SettingsStore &store, QObject *parent) : QObject(parent), m_store(store) {}

QString RunningSettings::text(const SettingKey &key, const QString &application) const
{
    return m_store.get(key, application);
}

int RunningSettings::numberOrDefault(const SettingKey &key, const QString &application) const
{
    Q_ASSERT(key.type == SettingKey::Type::Number);
    const auto value = leadingNumber(m_store.get(key, application));
    return int(std::clamp(value.value_or(key.defaultValue.toInt()), double(key.low), double(key.high)));
}

bool RunningSettings::isOn(const SettingKey &key, const QString &application) const
{
    return leadingNumber(m_store.get(key, application)).value_or(key.defaultValue.toInt()) == 1.0;
}

bool RunningSettings::contains(const SettingKey &key) const { return m_store.contains(key); }

bool RunningSettings::set(const SettingKey &key, const QString &text, QString *error, const QString &application)
{
    const bool same = m_store.contains(key, application) && m_store.get(key, application) == text;
    if (!m_store.save(key, text, error, application))
        return false;
    if (same)
        return true;
    const auto tell = [this, section = key.section, name = key.key, text] { emit changed(section, name, text); };
    if (m_inTransaction)
        m_held.append(tell);
    else
        tell();
    return true;
}

bool RunningSettings::setNumber(const SettingKey &key, int number, QString *error)
{
    return set(key, QString::number(number), error);
}

bool RunningSettings::setOn(const SettingKey &key, bool on, QString *error, const QString &application)
{
    return set(key, SettingKey::stored(on), error, application);
}

bool RunningSettings::setOrReport(const SettingKey &key, const QString &text, Prompts &prompts, QWidget *owner,
                                  const QString &application)
{
    QString why;
    if (set(key, text, &why, application))
        return true;
    prompts.message(owner, SettingsStore::failureText(why), AppInfo::Title, Prompts::Critical);
    return false;
}

bool RunningSettings::transaction(const std::function<void()> &changes, QString *error)
{
    m_store.begin();
    m_inTransaction = true;
    changes();
    m_inTransaction = false;
    const QList<std::function<void()>> held = std::exchange(m_held, {});
    if (!m_store.commit(error))
        return false;
    for (const auto &tell : held)
        tell();
    return true;
}

void RunningSettings::follow(const SettingKey &key, QObject *receiver,
                             const std::function<void(const QString &)> &heard)
{
    connect(this, &RunningSettings::changed, receiver,
            [section = key.section, name = key.key, heard](const QString &s, const QString &k, const QString &text) {
                if (s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(name, Qt::CaseInsensitive) == 0)
                    heard(text);
            });
}
