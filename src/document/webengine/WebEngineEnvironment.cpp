#include "WebEngineEnvironment.h"

#include "DownloadManager.h"
#include "MediaPolicy.h"
#include "WebEngineBrowser.h"
#include "WebPage.h"
#include "WebProfileDialog.h"

#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

WebEngineEnvironment::WebEngineEnvironment(Prompts &prompts)
    : m_prompts(prompts), m_profile(std::make_unique<QWebEngineProfile>(QStringLiteral("Vantorel"))),
      m_downloads(std::make_unique<DownloadManager>(prompts))
{
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty())
        m_profile->setDownloadPath(downloads);
    auto *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    QObject::connect(m_profile.get(), &QWebEngineProfile::downloadRequested, m_downloads.get(),
                     &DownloadManager::downloadRequested);
    m_media = std::make_unique<MediaPolicy>(m_profile.get());
}

WebEngineEnvironment::~WebEngineEnvironment() = default;

BrowserControl *WebEngineEnvironment::createBrowser(QWidget *parent)
{
    auto *browser = new WebEngineBrowser(m_profile.get(), m_prompts, m_search, parent);
    m_media->adopt(browser->page());
    return browser;
}

void WebEngineEnvironment::setMediaAllowed(Media media, bool allowed) { m_media->set(media, allowed); }

int WebEngineEnvironment::runningDownloads() const { return m_downloads->running(); }

void WebEngineEnvironment::showDownloads(QWidget *near) { m_downloads->showBeside(near); }

QDialog *WebEngineEnvironment::createProfileDialog(QWidget *parent)
{
    return new WebProfileDialog(m_profile.get(), m_prompts, parent);
}
