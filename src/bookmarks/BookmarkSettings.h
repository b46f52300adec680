#pragma once

#include "core/RunningSettings.h"
#include "core/SettingKeys.h"

#include <cmath>

// The bookmark room's settings.
namespace BookmarkSettings {

inline const SettingKey ClickBookmark{QStringLiteral("Settings"), QStringLiteral("ClickBookmark"), QString()};
// The favourites folder the bookmark manager exports to.
inline const SettingKey IEFavoritesFolder{QStringLiteral("Settings"), QStringLiteral("IE Favorites Folder"), QString()};

// 1: a single click on a bookmark opens it; else only the visit button does.
inline qint32 clickMode(const RunningSettings &settings)
{
    return qint32(std::lround(settings.typedNumber(ClickBookmark)));
}

} // namespace BookmarkSettings
