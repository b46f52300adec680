#pragma once

#include "core/SettingKeys.h"

// The network tools' and the mail's settings.
namespace NetSettings {

// The longest wait the options let through, in milliseconds.
constexpr int MaxWait = 60000;

// Waits in milliseconds; a hand-edited value out of range is held to it, so no timer overflows.
inline const SettingKey PingTime = SettingKey::number("Settings", "PingTime", 5000, 0, MaxWait);
inline const SettingKey NetStatTime = SettingKey::number("Settings", "NetStatTime", 10000, 0, MaxWait);
inline const SettingKey SmtpServer = SettingKey::text("Email", "SMTP");
inline const SettingKey UserName = SettingKey::text("Email", "UserName");
inline const SettingKey MyEmail = SettingKey::text("Email", "MyEmail");

} // namespace NetSettings
