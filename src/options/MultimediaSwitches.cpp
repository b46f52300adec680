#include "MultimediaSwitches.h"

#include "core/SettingsStore.h"

#include <QAction>
#include <QWidget>

MultimediaSwitches::MultimediaSwitches(BrowserFactory &browsers, SettingsStore &settings, Prompts &prompts,
                                       QList<Item> items, QWidget *owner)
    : QObject(owner), m_browsers(browsers), m_settings(settings), m_prompts(prompts), m_owner(owner),
      m_items(std::move(items))
{
    for (const Item &item : std::as_const(m_items)) {
        item.action->setCheckable(true);
        connect(item.action, &QAction::triggered, this, [this, item](bool on) { m_browsers.setMediaAllowed(item.media, on); });
    }
    m_browsers.onMediaChanged([this](BrowserFactory::Media media, bool on) { changed(media, on); });
}

MultimediaSwitches::~MultimediaSwitches() { m_browsers.onMediaChanged({}); }

void MultimediaSwitches::load()
{
    m_loading = true;
    for (const Item &item : std::as_const(m_items))
        m_browsers.setMediaAllowed(item.media, m_settings.number(item.key) == 1);
    m_loading = false;
}

// The setting holds the state the switch chose, and the menu shows it.
void MultimediaSwitches::changed(BrowserFactory::Media media, bool on)
{
    for (const Item &item : std::as_const(m_items)) {
        if (item.media != media)
            continue;
        item.action->setChecked(on);
        if (!m_loading)
            saveOrReport(m_settings, m_prompts, m_owner, item.key, on ? QStringLiteral("1") : QStringLiteral("0"));
    }
}
