#pragma once

#include "core/SettingKeys.h"

// The View menu's media switches: "1" on, "0" off.
namespace MediaSettings {

inline const SettingKey ShowPicture{QStringLiteral("Multimedia"), QStringLiteral("ShowPicture"), QStringLiteral("1")};
inline const SettingKey PlaySound{QStringLiteral("Multimedia"), QStringLiteral("PlaySound"), QStringLiteral("1")};
inline const SettingKey ShowAnimations{QStringLiteral("Multimedia"), QStringLiteral("ShowANI"), QStringLiteral("1")};
inline const SettingKey PlayVideo{QStringLiteral("Multimedia"), QStringLiteral("PlayVideo"), QStringLiteral("1")};

} // namespace MediaSettings
