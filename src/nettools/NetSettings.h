#pragma once

#include "core/RunningSettings.h"
#include "core/SettingKeys.h"

// The network tools' and the mail's settings. The user's name is read as
// "Username" and written as "UserName"; the store compares names without regard to case.
namespace NetSettings {

inline const SettingKey PingTime{QStringLiteral("Settings"), QStringLiteral("PingTime"), QStringLiteral("5000")};
inline const SettingKey NetStatTime{QStringLiteral("Settings"), QStringLiteral("NetStatTime"), QStringLiteral("10000")};
inline const SettingKey SmtpServer{QStringLiteral("Email"), QStringLiteral("SMTP"), QString()};
inline const SettingKey UserNameRead{QStringLiteral("Email"), QStringLiteral("Username"), QString()};
inline const SettingKey UserNameWrite{QStringLiteral("Email"), QStringLiteral("UserName"), QString()};
inline const SettingKey MyEmail{QStringLiteral("Email"), QStringLiteral("MyEmail"), QString()};

// A wait in milliseconds as the options set it: an empty one is 0; only an absent one is the default.
inline int wait(const RunningSettings &settings, const SettingKey &key) { return int(settings.typedNumber(key)); }

} // namespace NetSettings
