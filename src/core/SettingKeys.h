#pragma once

#include "Addresses.h"

#include <QString>

// One setting of the per-user store: where it lives and what a read gives when it is absent.
struct SettingKey {
    QString section;
    QString key;
    QString defaultValue;
};

// The main window's settings; each room declares its own beside its code. Some keys
// are read under one spelling and written under another; the store compares names
// without regard to case.
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
// Ours: the document windows shown as tabs.
inline const SettingKey TabbedDocuments{QStringLiteral("Settings"), QStringLiteral("TabbedDocuments"),
                                        QStringLiteral("0")};

// Kept under the executable's base name rather than the application title.
inline const SettingKey ShowTipsRead{QStringLiteral("Options"), QStringLiteral("Showtips"), QStringLiteral("1")};
inline const SettingKey ShowTipsWrite{QStringLiteral("Options"), QStringLiteral("ShowTips"), QString()};

} // namespace SettingKeys
