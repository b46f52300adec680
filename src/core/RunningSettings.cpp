#include "RunningSettings.h"

#include "SettingsStore.h"

#include <cmath>

namespace {

double waitOf(const QString &text) { return leadingNumber(text).value_or(0); }

} // namespace

RunningSettings::RunningSettings(SettingsStore &store, QObject *parent) : QObject(parent), m_store(store) {}

void RunningSettings::load()
{
    m_smtpServer = m_store.get(SettingKeys::SmtpServer);
    m_userName = m_store.get(SettingKeys::UserNameRead);
    m_myEmail = m_store.get(SettingKeys::MyEmail);
    m_pingTime = m_store.number(SettingKeys::PingTime);
    m_netStatTime = m_store.number(SettingKeys::NetStatTime);
    m_homepage = m_store.get(SettingKeys::Homepage);
    m_ieFavorites = m_store.get(SettingKeys::IEFavoritesFolder);
    m_clickBookmark = qint32(std::lround(m_store.number(SettingKeys::ClickBookmark)));
}

template<typename Value, typename Signal>
void RunningSettings::change(const SettingKey &key, const QString &text, Value &field, Value value, Signal changed)
{
    m_store.save(key, text);
    if (field == value)
        return;
    field = value;
    emit(this->*changed)(value);
}

void RunningSettings::setSmtpServer(const QString &value)
{
    change(SettingKeys::SmtpServer, value, m_smtpServer, value, &RunningSettings::SmtpServerChanged);
}

void RunningSettings::setUserName(const QString &value)
{
    change(SettingKeys::UserNameWrite, value, m_userName, value, &RunningSettings::UserNameChanged);
}

void RunningSettings::setMyEmail(const QString &value)
{
    change(SettingKeys::MyEmail, value, m_myEmail, value, &RunningSettings::MyEmailChanged);
}

void RunningSettings::setPingTime(const QString &text)
{
    change(SettingKeys::PingTime, text, m_pingTime, waitOf(text), &RunningSettings::PingTimeChanged);
}

void RunningSettings::setNetStatTime(const QString &text)
{
    change(SettingKeys::NetStatTime, text, m_netStatTime, waitOf(text), &RunningSettings::NetStatTimeChanged);
}

void RunningSettings::setHomepage(const QString &value)
{
    change(SettingKeys::Homepage, value, m_homepage, value, &RunningSettings::HomepageChanged);
}

void RunningSettings::setIEFavorites(const QString &value)
{
    change(SettingKeys::IEFavoritesFolder, value, m_ieFavorites, value, &RunningSettings::IEFavoritesChanged);
}
