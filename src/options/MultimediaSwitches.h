#pragma once

#include "document/BrowserFactory.h"

#include <QObject>

class Prompts;
class QAction;
class QWidget;
class SettingsStore;
struct SettingKey;

// The View menu's four switches: pictures, sound, animations and video of every
// page, each remembered as "1" (on) or "0" (off), whichever window switched it.
class MultimediaSwitches : public QObject
{
    Q_OBJECT
public:
    struct Item {
        QAction *action;
        BrowserFactory::Media media;
        const SettingKey &key;
    };

    // A setting that cannot be saved is said to owner.
    MultimediaSwitches(BrowserFactory &browsers, SettingsStore &settings, Prompts &prompts, QList<Item> items,
                       QWidget *owner);
    ~MultimediaSwitches() override;

    // Check marks and pages as the settings say, at start-up; writes nothing.
    void load();

private:
    void changed(BrowserFactory::Media media, bool on);

    BrowserFactory &m_browsers;
    SettingsStore &m_settings;
    Prompts &m_prompts;
    QWidget *m_owner;
    QList<Item> m_items;
    bool m_loading = false;
};
