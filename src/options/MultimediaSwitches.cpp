#include "MultimediaSwitches.h"

#include "document/EntryPlace.h"

#include "MediaSettings.h"
#include "core/RunningSettings.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

using namespace MediaSettings;

struct Switch {
    const char *name;
    const char *caption;
    BrowserFactory::Media media;
    const SettingKey &key;
};

const Switch Switches[] = {
    {"mnuViewShowPicture", "显示图片(&P)", BrowserFactory::Media::Pictures, ShowPicture},
    {"mnuViewPlaySound", "播放声音(&M)", BrowserFactory::Media::Sound, PlaySound},
    {"mnuViewPlayANI", "播放动画(&A)", BrowserFactory::Media::Animations, ShowAnimations},
    {"mnuViewPlayVideo", "播放视频(&V)", BrowserFactory::Media::Video, PlayVideo},
};

} // namespace

MultimediaSwitches::MultimediaSwitches(BrowserFactory &browsers, RunningSettings &settings, Prompts &prompts,
                                       QWidget *owner)
    : QObject(owner), m_browsers(browsers), m_settings(settings), m_prompts(prompts), m_owner(owner)
{
    for (const Switch &s : Switches) {
        auto *action = new QAction(QString::fromUtf8(s.caption), this);
        action->setObjectName(QLatin1String(s.name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, media = s.media](bool on) { m_browsers.setMediaAllowed(media, on); });
        m_items.append({action, s.media, s.key});
    }
    m_browsers.onMediaChanged([this](BrowserFactory::Media media, bool on) { changed(media, on); });
}

MultimediaSwitches::~MultimediaSwitches() { m_browsers.onMediaChanged({}); }

void MultimediaSwitches::addTo(const EntryPlace &place)
{
    for (const Item &item : std::as_const(m_items))
        place.add(item.action);
}

void MultimediaSwitches::load()
{
    m_loading = true;
    applyStored(m_browsers, m_settings);
    m_loading = false;
}

void MultimediaSwitches::applyStored(BrowserFactory &browsers, const RunningSettings &settings)
{
    for (const Switch &s : Switches)
        browsers.setMediaAllowed(s.media, settings.isOn(s.key));
}

// The setting holds the state the switch chose, and the menu shows it.
void MultimediaSwitches::changed(BrowserFactory::Media media, bool on)
{
    for (const Item &item : std::as_const(m_items)) {
        if (item.media != media)
            continue;
        item.action->setChecked(on);
        if (!m_loading)
            m_settings.setOrReport(item.key, SettingKey::stored(on), m_prompts, m_owner);
    }
}
