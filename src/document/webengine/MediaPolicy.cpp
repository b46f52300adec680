#include "MediaPolicy.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <algorithm>
#include <iterator>

namespace {

const QString ScriptName = QStringLiteral("vantorel-media");

// Runs in our own world in every frame: one style sheet of ours, and a listener that
// stops each video that starts while videos are off (sound is the page's mute, so an
// <audio> element plays). A frame hands the flags on to its own frames by message,
// which reaches frames of other origins too.
const char *const Script = R"(
(function(flags) {
  if (!window.vantorelMedia) {
    window.vantorelMedia = function(f) {
      var css = '';
      if (!f.pictures)
        css += 'img,picture,input[type=image],svg image{visibility:hidden!important}'
             + '*{background-image:none!important}';
      if (!f.animations)
        css += '*,*::before,*::after{animation:none!important;transition:none!important;'
             + 'scroll-behavior:auto!important}';
      window.vantorelVideo = f.video;
      function apply() {
        var style = document.getElementById('vantorel-media');
        if (!style && css) {
          style = document.createElement('style');
          style.id = 'vantorel-media';
          (document.head || document.documentElement).appendChild(style);
        }
        if (style)
          style.textContent = css;
        if (!f.video)
          document.querySelectorAll('video').forEach(function(v) { v.autoplay = false; v.pause(); });
      }
      if (document.documentElement) apply(); else document.addEventListener('DOMContentLoaded', apply);
      for (var i = 0; i < window.frames.length; i++)
        window.frames[i].postMessage({vantorelMedia: f}, '*');
    };
    document.addEventListener('play', function(e) {
      if (!window.vantorelVideo && e.target instanceof HTMLVideoElement) e.target.pause();
    }, true);
    window.addEventListener('message', function(e) {
      var f = e.data && e.data.vantorelMedia;
      if (f && e.source === window.parent && window.parent !== window) window.vantorelMedia(f);
    });
  }
  window.vantorelMedia(flags);
})({pictures: %1, animations: %2, video: %3});
)";

QString flag(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }

} // namespace

MediaPolicy::MediaPolicy(QWebEngineProfile *profile, QObject *parent) : QObject(parent), m_profile(profile)
{
    applyToProfile();
}

bool MediaPolicy::allowed(BrowserFactory::Media media) const { return m_allowed[int(media)]; }

void MediaPolicy::set(BrowserFactory::Media media, bool allowed)
{
    if (m_allowed[int(media)] == allowed)
        return;
    m_allowed[int(media)] = allowed;
    applyToProfile();
    m_pages.removeAll(nullptr);
    for (QWebEnginePage *page : std::as_const(m_pages)) {
        page->setAudioMuted(!this->allowed(BrowserFactory::Media::Sound));
        page->runJavaScript(script(), QWebEngineScript::ApplicationWorld);
    }
}

void MediaPolicy::adopt(QWebEnginePage *page)
{
    m_pages.append(page);
    page->setAudioMuted(!allowed(BrowserFactory::Media::Sound));
}

QString MediaPolicy::script() const
{
    using Media = BrowserFactory::Media;
    return QString::fromLatin1(Script).arg(flag(allowed(Media::Pictures)), flag(allowed(Media::Animations)),
                                           flag(allowed(Media::Video)));
}

// New documents: the engine's own switches, and the script in every frame.
void MediaPolicy::applyToProfile()
{
    using Media = BrowserFactory::Media;
    QWebEngineSettings *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, allowed(Media::Pictures));
    settings->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, allowed(Media::Animations));
    // Audio may start by itself; videos that start while off are paused by the script.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    QWebEngineScriptCollection &scripts = *m_profile->scripts();
    for (const QWebEngineScript &old : scripts.find(ScriptName))
        scripts.remove(old);
    QWebEngineScript media;
    media.setName(ScriptName);
    media.setSourceCode(script());
    // With every kind allowed it holds nothing back from a page's start, and runs once the
    // document is ready, after the page's first parse rather than before it.
    const bool all = std::all_of(std::begin(m_allowed), std::end(m_allowed), [](bool on) { return on; });
    media.setInjectionPoint(all ? QWebEngineScript::DocumentReady : QWebEngineScript::DocumentCreation);
    media.setWorldId(QWebEngineScript::ApplicationWorld);
    media.setRunsOnSubFrames(true);
    scripts.insert(media);
}
