#include "WebEngineEnvironment.h"

#include "BuiltinPages.h"
#include "DownloadManager.h"
#include "MediaPolicy.h"
#include "WebEngineBrowser.h"
#include "WebPage.h"
#include "WebProfileDialog.h"

#include "WebSettings.h"
#include "core/RunningSettings.h"

#include <QApplication>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

WebEngineEnvironment::WebEngineEnvironment(Prompts &prompts, RunningSettings &settings)
    : m_prompts(prompts), m_settings(settings), m_profile(std::make_unique<QWebEngineProfile>(QStringLiteral("Vantorel")))
{
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    m_profile->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh;q=0.9,en;q=0.8"));
    m_profile->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // Off, the engine drops windows a page opens on its own without a word; on, they
    // reach WebPage, which asks the pop-up policy and tells the user of those it blocks.
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    loadOptions();
    QObject::connect(m_profile.get(), &QWebEngineProfile::downloadRequested, m_profile.get(),
                     [this](QWebEngineDownloadRequest *download) { downloads()->downloadRequested(download); });
    m_media = std::make_unique<MediaPolicy>(m_profile.get());
    QObject::connect(qApp, &QApplication::focusChanged, m_profile.get(), &WebEngineBrowser::focusChanged);
}

WebEngineEnvironment::~WebEngineEnvironment() = default;

BrowserControl *WebEngineEnvironment::createBrowser(QWidget *parent)
{
    if (m_first) {
        m_first->setParent(parent);
        m_first->releaseSoon();
        return m_first.release();
    }
    auto *browser = new WebEngineBrowser(m_profile.get(), m_prompts, typedSearch(), m_popups, parent);
    m_media->adopt(browser->page());
    return browser;
}

void WebEngineEnvironment::startFirstPage(const QString &address)
{
    m_first.reset(static_cast<WebEngineBrowser *>(createBrowser(nullptr)));
    m_first->preload(address);
}

QString WebEngineEnvironment::homeAddress() { return QString::fromLatin1(BuiltinPages::StartAddress); }

void WebEngineEnvironment::loadOptions()
{
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled,
                                        m_settings.isOn(WebSettings::JavaScript));
    QString downloads = m_settings.text(WebSettings::DownloadFolder);
    if (downloads.isEmpty())
        downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty())
        m_profile->setDownloadPath(downloads);
}

// Read before the first page, which starts before the main window reads them.
void WebEngineEnvironment::setMediaAllowed(Media media, bool allowed)
{
    m_media->set(media, allowed);
    mediaChanged(media, allowed);
}

bool WebEngineEnvironment::mediaAllowed(Media media) const { return m_media->allowed(media); }

int WebEngineEnvironment::runningDownloads() const { return m_downloads ? m_downloads->running() : 0; }

void WebEngineEnvironment::showDownloads(QWidget *near) { downloads()->showBeside(near); }

DownloadManager *WebEngineEnvironment::downloads()
{
    if (!m_downloads)
        m_downloads = std::make_unique<DownloadManager>(m_prompts);
    return m_downloads.get();
}

void WebEngineEnvironment::clearHistory()
{
    m_profile->clearAllVisitedLinks();
    historyCleared();
}

QDialog *WebEngineEnvironment::createProfileDialog(QWidget *parent)
{
    return new WebProfileDialog(*this, m_prompts, m_settings, parent);
}
