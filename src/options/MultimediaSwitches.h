#pragma once

#include "document/BrowserFactory.h"

#include <QObject>

class EntryPlace;
class Prompts;
class QAction;
class QMenu;
class QWidget;
class RunningSettings;
struct SettingKey;

// The View menu's four switches: pictures, sound, animations and video of every
// page, each remembered as "1" (on) or "0" (off), whichever window switched it.
class MultimediaSwitches : public QObject
{
    Q_OBJECT
public:
    // A setting that cannot be saved is said to owner.
    MultimediaSwitches(BrowserFactory &browsers, RunningSettings &settings, Prompts &prompts, QWidget *owner);
    ~MultimediaSwitches() override;

    // The four items, put into menu before before.
    void addTo(const EntryPlace &place);
    // Check marks and pages as the settings say, at start-up; writes nothing.
    void load();
    // Pages as the settings say, before any window: the first page starts with them.
    static void applyStored(BrowserFactory &browsers, const RunningSettings &settings);

private:
    struct Item {
        QAction *action;
        BrowserFactory::Media media;
        const SettingKey &key;
    };

    void changed(BrowserFactory::Media media, bool on);

    BrowserFactory &m_browsers;
    RunningSettings &m_settings;
    Prompts &m_prompts;
    QWidget *m_owner;
    QList<Item> m_items;
    bool m_loading = false;
};
