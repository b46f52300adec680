#pragma once

#include "core/RunningSettings.h"
#include "core/SettingKeys.h"

#include <algorithm>

// The network tools' and the mail's settings. The user's name is read as
// "Username" and written as "UserName"; the store compares names without regard to case.
namespace NetSettings {

inline const SettingKey PingTime{QStringLiteral("Settings"), QStringLiteral("PingTime"), QStringLiteral("5000")};
inline const SettingKey NetStatTime{QStringLiteral("Settings"), QStringLiteral("NetStatTime"), QStringLiteral("10000")};
inline const SettingKey SmtpServer{QStringLiteral("Email"), QStringLiteral("SMTP"), QString()};
inline const SettingKey UserNameRead{QStringLiteral("Email"), QStringLiteral("Username"), QString()};
inline const SettingKey UserNameWrite{QStringLiteral("Email"), QStringLiteral("UserName"), QString()};
inline const SettingKey MyEmail{QStringLiteral("Email"), QStringLiteral("MyEmail"), QString()};

// The longest wait the options let through, in milliseconds.
constexpr int MaxWait = 60000;

// A wait in milliseconds as the options set it: an empty one is 0; only an absent one is the default.
// A hand-edited value out of the options' range is held to it, so no timer overflows.
inline int wait(const RunningSettings &settings, const SettingKey &key)
{
    const double typed = settings.typedNumber(key);
    return typed > 0 ? int(std::min(typed, double(MaxWait))) : 0;
}

} // namespace NetSettings
