#include "MultimediaSwitches.h"

#include "core/SettingsStore.h"

#include <QAction>

MultimediaSwitches::MultimediaSwitches(BrowserFactory &browsers, SettingsStore &settings, QList<Item> items,
                                       QObject *parent)
    : QObject(parent), m_browsers(browsers), m_settings(settings), m_items(std::move(items))
{
    for (const Item &item : std::as_const(m_items)) {
        item.action->setCheckable(true);
        connect(item.action, &QAction::triggered, this, [this, item](bool on) { switched(item, on); });
    }
}

void MultimediaSwitches::load()
{
    for (const Item &item : std::as_const(m_items)) {
        const bool on = m_settings.number(item.key) == 1;
        item.action->setChecked(on);
        m_browsers.setMediaAllowed(item.media, on);
    }
}

// The setting holds the state the click chose.
void MultimediaSwitches::switched(const Item &item, bool on)
{
    m_settings.save(item.key, on ? QStringLiteral("1") : QStringLiteral("0"));
    m_browsers.setMediaAllowed(item.media, on);
}
