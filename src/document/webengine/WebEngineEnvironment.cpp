#include "WebEngineEnvironment.h"

#include "DownloadManager.h"
#include "WebEngineBrowser.h"
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
    settings->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, true);
    QObject::connect(m_profile.get(), &QWebEngineProfile::downloadRequested, m_downloads.get(),
                     &DownloadManager::downloadRequested);
}

WebEngineEnvironment::~WebEngineEnvironment() = default;

BrowserControl *WebEngineEnvironment::createBrowser(QWidget *parent)
{
    return new WebEngineBrowser(m_profile.get(), m_prompts, m_search, parent);
}

int WebEngineEnvironment::runningDownloads() const { return m_downloads->running(); }

void WebEngineEnvironment::showDownloads(QWidget *near) { m_downloads->showBeside(near); }

QDialog *WebEngineEnvironment::createProfileDialog(QWidget *parent)
{
    return new WebProfileDialog(m_profile.get(), m_prompts, parent);
}
