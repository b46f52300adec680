#include "RunningSettings.h"

#include "SettingsStore.h"

#include <cmath>
#include <utility>

namespace {

double waitOf(const QString &text) { return leadingNumber(text).value_or(0); }

// A stored wait reads as the options dialog set it (an empty field is 0); only an absent one is the default.
double storedWait(const SettingsStore &store, const SettingKey &key)
{
    return store.contains(key) ? waitOf(store.get(key)) : store.number(key);
}

qint32 clickModeOf(const QString &text) { return qint32(std::lround(leadingNumber(text).value_or(0))); }

} // namespace

RunningSettings::RunningSettings(SettingsStore &store, QObject *parent) : QObject(parent), m_store(store) {}

void RunningSettings::load()
{
    m_smtpServer = m_store.get(SettingKeys::SmtpServer);
    m_userName = m_store.get(SettingKeys::UserNameRead);
    m_myEmail = m_store.get(SettingKeys::MyEmail);
    m_pingTime = storedWait(m_store, SettingKeys::PingTime);
    m_netStatTime = storedWait(m_store, SettingKeys::NetStatTime);
    m_homepage = m_store.get(SettingKeys::Homepage);
    m_ieFavorites = m_store.get(SettingKeys::IEFavoritesFolder);
    m_clickBookmark = clickModeOf(m_store.get(SettingKeys::ClickBookmark));
}

template<typename Value, typename Signal>
bool RunningSettings::change(const SettingKey &key, const QString &text, Value &field, Value value, Signal changed,
                             QString *error)
{
    if (!m_store.save(key, text, error))
        return false;
    const auto take = [this, &field, value, changed] {
        if (field != value) {
            field = value;
            emit(this->*changed)(value);
        }
    };
    if (m_inTransaction)
        m_held.append(take);
    else
        take();
    return true;
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
    for (const auto &take : held)
        take();
    return true;
}

bool RunningSettings::setSmtpServer(const QString &value, QString *error)
{
    return change(SettingKeys::SmtpServer, value, m_smtpServer, value, &RunningSettings::SmtpServerChanged, error);
}

bool RunningSettings::setUserName(const QString &value, QString *error)
{
    return change(SettingKeys::UserNameWrite, value, m_userName, value, &RunningSettings::UserNameChanged, error);
}

bool RunningSettings::setMyEmail(const QString &value, QString *error)
{
    return change(SettingKeys::MyEmail, value, m_myEmail, value, &RunningSettings::MyEmailChanged, error);
}

bool RunningSettings::setPingTime(const QString &text, QString *error)
{
    return change(SettingKeys::PingTime, text, m_pingTime, waitOf(text), &RunningSettings::PingTimeChanged, error);
}

bool RunningSettings::setNetStatTime(const QString &text, QString *error)
{
    return change(SettingKeys::NetStatTime, text, m_netStatTime, waitOf(text), &RunningSettings::NetStatTimeChanged,
                  error);
}

bool RunningSettings::setHomepage(const QString &value, QString *error)
{
    return change(SettingKeys::Homepage, value, m_homepage, value, &RunningSettings::HomepageChanged, error);
}

bool RunningSettings::setIEFavorites(const QString &value, QString *error)
{
    return change(SettingKeys::IEFavoritesFolder, value, m_ieFavorites, value, &RunningSettings::IEFavoritesChanged,
                  error);
}

bool RunningSettings::setClickBookmark(const QString &text, QString *error)
{
    return change(SettingKeys::ClickBookmark, text, m_clickBookmark, clickModeOf(text),
                  &RunningSettings::ClickBookmarkChanged, error);
}
