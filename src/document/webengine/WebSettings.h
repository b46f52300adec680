#pragma once

#include "core/SettingKeys.h"

// The web profile's options (Tools > Internet选项); its pictures are the View menu's switch.
namespace WebSettings {

inline const SettingKey JavaScript{QStringLiteral("Web"), QStringLiteral("JavaScript"), QStringLiteral("1")};
inline const SettingKey DownloadFolder{QStringLiteral("Web"), QStringLiteral("DownloadFolder"), QString()};

} // namespace WebSettings
