#pragma once

#include "document/BrowserFactory.h"

#include <QObject>

class QAction;
class SettingsStore;
struct SettingKey;

// The View menu's four switches: pictures, sound, animations and video of every
// page, each remembered as "1" (on) or "0" (off).
class MultimediaSwitches : public QObject
{
    Q_OBJECT
public:
    struct Item {
        QAction *action;
        BrowserFactory::Media media;
        const SettingKey &key;
    };

    MultimediaSwitches(BrowserFactory &browsers, SettingsStore &settings, QList<Item> items, QObject *parent = nullptr);

    // Check marks and pages as the settings say, at start-up.
    void load();

private:
    void switched(const Item &item, bool on);

    BrowserFactory &m_browsers;
    SettingsStore &m_settings;
    QList<Item> m_items;
};
