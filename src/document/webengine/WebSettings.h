#pragma once

#include "core/SettingKeys.h"

// The web profile's options (Tools > Internet选项); its pictures are the View menu's switch.
namespace WebSettings {

inline const SettingKey JavaScript = SettingKey::onOff("Web", "JavaScript", true);
inline const SettingKey DownloadFolder = SettingKey::text("Web", "DownloadFolder");

} // namespace WebSettings
