#pragma once

#include "Addresses.h"

#include <QString>

// One setting of the per-user store: where it lives and what a read gives when it is absent.
struct SettingKey {
    QString section;
    QString key;
    QString defaultValue;
};

// Every setting the program reads or writes. Some keys are read under one spelling
// and written under another; the store compares names without regard to case.
namespace SettingKeys {

inline const SettingKey MainLeft{QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("1000")};
inline const SettingKey MainTop{QStringLiteral("Settings"), QStringLiteral("MainTop"), QStringLiteral("1000")};
inline const SettingKey MainWidth{QStringLiteral("Settings"), QStringLiteral("MainWidth"), QStringLiteral("6500")};
inline const SettingKey MainHeight{QStringLiteral("Settings"), QStringLiteral("MainHeight"), QStringLiteral("6500")};
inline const SettingKey ShowList{QStringLiteral("Settings"), QStringLiteral("ShowList"), QStringLiteral("1")};
inline const SettingKey ListWidth{QStringLiteral("Settings"), QStringLiteral("ListWidth"), QStringLiteral("3360")};
inline const SettingKey Homepage{QStringLiteral("Settings"), QStringLiteral("Homepage"), Addresses::DefaultHomepage};
inline const SettingKey NWindowWithHomepage{QStringLiteral("Settings"), QStringLiteral("NWindowWithHomepage"),
                                            QStringLiteral("0")};
inline const SettingKey ClickBookmark{QStringLiteral("Settings"), QStringLiteral("ClickBookmark"), QString()};
inline const SettingKey PingTime{QStringLiteral("Settings"), QStringLiteral("PingTime"), QStringLiteral("5000")};
inline const SettingKey NetStatTime{QStringLiteral("Settings"), QStringLiteral("NetStatTime"), QStringLiteral("10000")};
inline const SettingKey IEFavoritesFolder{QStringLiteral("Settings"), QStringLiteral("IE Favorites Folder"), QString()};
// Ours: the document windows shown as tabs.
inline const SettingKey TabbedDocuments{QStringLiteral("Settings"), QStringLiteral("TabbedDocuments"),
                                        QStringLiteral("0")};

inline const SettingKey SmtpServer{QStringLiteral("Email"), QStringLiteral("SMTP"), QString()};
inline const SettingKey UserNameRead{QStringLiteral("Email"), QStringLiteral("Username"), QString()};
inline const SettingKey UserNameWrite{QStringLiteral("Email"), QStringLiteral("UserName"), QString()};
inline const SettingKey MyEmail{QStringLiteral("Email"), QStringLiteral("MyEmail"), QString()};

inline const SettingKey ShowAnimations{QStringLiteral("Multimedia"), QStringLiteral("ShowANI"), QStringLiteral("1")};
inline const SettingKey ShowPicture{QStringLiteral("Multimedia"), QStringLiteral("ShowPicture"), QStringLiteral("1")};
inline const SettingKey PlaySound{QStringLiteral("Multimedia"), QStringLiteral("PlaySound"), QStringLiteral("1")};
inline const SettingKey PlayVideo{QStringLiteral("Multimedia"), QStringLiteral("PlayVideo"), QStringLiteral("1")};

// Ours: the web profile's options (Tools > Internet options); its pictures are ShowPicture.
inline const SettingKey JavaScript{QStringLiteral("Web"), QStringLiteral("JavaScript"), QStringLiteral("1")};
inline const SettingKey DownloadFolder{QStringLiteral("Web"), QStringLiteral("DownloadFolder"), QString()};

// Kept under the executable's base name rather than the application title.
inline const SettingKey ShowTipsRead{QStringLiteral("Options"), QStringLiteral("Showtips"), QStringLiteral("1")};
inline const SettingKey ShowTipsWrite{QStringLiteral("Options"), QStringLiteral("ShowTips"), QString()};

} // namespace SettingKeys
