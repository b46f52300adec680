#pragma once

#include <QString>

// The application's title (also the settings application) and version.
namespace AppInfo {

inline const QString Title = QStringLiteral("Vantorel");
QString version();

} // namespace AppInfo

// Short name used all over the windows for the title of their messages.
inline const QString AppTitle = AppInfo::Title;
