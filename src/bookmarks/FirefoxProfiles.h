#pragma once

#include <QString>

#include <optional>

// Firefox's profiles.ini, which lists the profile folders of one Firefox folder.
namespace FirefoxProfiles {

// The profile Firefox starts with: the Default of an [Install…] section, else
// the [Profile…] marked Default=1, else the first one listed. Relative paths
// start at the folder of profiles.ini. nullopt when the file cannot be
// read or lists no profile.
std::optional<QString> defaultProfile(const QString &profilesIni);

} // namespace FirefoxProfiles
