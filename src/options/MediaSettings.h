#pragma once

#include "core/SettingKeys.h"

// The View menu's media switches.
namespace MediaSettings {

inline const SettingKey ShowPicture = SettingKey::onOff("Multimedia", "ShowPicture", true);
inline const SettingKey PlaySound = SettingKey::onOff("Multimedia", "PlaySound", true);
inline const SettingKey ShowAnimations = SettingKey::onOff("Multimedia", "ShowANI", true);
inline const SettingKey PlayVideo = SettingKey::onOff("Multimedia", "PlayVideo", true);

} // namespace MediaSettings
