#pragma once

#include "Addresses.h"

#include <QString>

// One setting of the per-user store: where it lives, its type and what a read gives
// when it is absent. Each is declared once, beside the room that uses it, through
// text(), number() or onOff(); reads and writes go through RunningSettings, which
// alone turns the stored text into a number or a switch.
struct SettingKey {
    enum class Type { Text, Number, Switch };

    QString section;
    QString key;
    Type type = Type::Text;
    QString defaultValue; // as stored
    int low = 0, high = 0; // a number is held to these

    static SettingKey text(const char *section, const char *key, const QString &defaultValue = QString());
    static SettingKey number(const char *section, const char *key, int defaultValue, int low, int high);
    static SettingKey onOff(const char *section, const char *key, bool defaultOn);
    // Claims a stored name (case ignored, as the store compares them); false when it
    // was claimed before. A declaration of a claimed name stops the program.
    static bool claim(const QString &section, const QString &key);
    // How a switch is stored: "1" on, "0" off.
    static QString stored(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
};

// The main window's settings; each room declares its own beside its code. The store
// compares names without regard to case.
namespace SettingKeys {

inline const SettingKey MainLeft = SettingKey::number("Settings", "MainLeft", 1000, -10'000'000, 10'000'000);
inline const SettingKey MainTop = SettingKey::number("Settings", "MainTop", 1000, -10'000'000, 10'000'000);
inline const SettingKey MainWidth = SettingKey::number("Settings", "MainWidth", 6500, -10'000'000, 10'000'000);
inline const SettingKey MainHeight = SettingKey::number("Settings", "MainHeight", 6500, -10'000'000, 10'000'000);
inline const SettingKey ShowList = SettingKey::onOff("Settings", "ShowList", true);
inline const SettingKey ListWidth = SettingKey::number("Settings", "ListWidth", 3360, -10'000'000, 10'000'000);
inline const SettingKey Homepage = SettingKey::text("Settings", "Homepage", Addresses::DefaultHomepage);
// 1: a new window shows the home page; 0: the new-window page; anything else: nothing.
inline const SettingKey NWindowWithHomepage =
    SettingKey::number("Settings", "NWindowWithHomepage", 0, -1'000'000'000, 1'000'000'000);
// Ours: the document windows shown as tabs.
inline const SettingKey TabbedDocuments = SettingKey::onOff("Settings", "TabbedDocuments", false);
// Kept under the executable's base name rather than the application title.
inline const SettingKey ShowTips = SettingKey::onOff("Options", "ShowTips", true);

} // namespace SettingKeys
