#pragma once

#include "core/SettingKeys.h"

// The bookmark room's settings.
namespace BookmarkSettings {

// 1: a single click on a bookmark opens it; anything else: only the visit button does.
inline const SettingKey ClickBookmark = SettingKey::number("Settings", "ClickBookmark", 0, -1'000'000'000, 1'000'000'000);
// The favourites folder the bookmark manager exports to.
inline const SettingKey IEFavoritesFolder = SettingKey::text("Settings", "IE Favorites Folder");

} // namespace BookmarkSettings
