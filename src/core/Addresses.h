#pragma once

#include <QString>

// Fixed web addresses of the program.
namespace Addresses {

inline const QString DefaultHomepage = QStringLiteral("https://www.hao123.com/");
inline const QString MakerSite = DefaultHomepage;
inline const QString Forum = QStringLiteral("https://forum.qt.io/");
inline const QString NewWindowPage = QStringLiteral("about:Vantorel II 新窗口");
inline const QString IEHomepage = QStringLiteral("IE Homepage");

} // namespace Addresses
