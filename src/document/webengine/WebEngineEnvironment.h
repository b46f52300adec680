#pragma once

#include "document/BrowserFactory.h"
#include "PopupPolicy.h"
#include "core/TypedAddress.h"

#include <memory>

class DownloadManager;
class MediaPolicy;
class Prompts;
class QWebEngineProfile;
class RunningSettings;
class WebEngineBrowser;

// The web profile every browser shares (cookies, cache and history persist), and
// the download list of that profile.
class WebEngineEnvironment : public BrowserFactory
{
public:
    // The profile's own options (scripts, download folder) come from settings.
    WebEngineEnvironment(Prompts &prompts, RunningSettings &settings);
    ~WebEngineEnvironment() override;

    // The first call hands out the browser of startFirstPage(), when there is one.
    BrowserControl *createBrowser(QWidget *parent) override;
    QDialog *createProfileDialog(QWidget *parent) override;
    int runningDownloads() const override;
    void showDownloads(QWidget *near) override;
    void setMediaAllowed(Media media, bool allowed) override;
    bool mediaAllowed(Media media) const override;
    // How browsers turn typed text that is no address into a search.
    QWebEngineProfile *profile() const { return m_profile.get(); }
    // Forgets the visited links, and tells who keeps a list of visited pages.
    void clearHistory();
    // Scripts and the download folder as the settings hold them.
    void loadOptions();
    // Starts the engine's processes and the first page's load before any window is
    // built; the next browser made shows that page (see WebEngineBrowser::preload).
    void startFirstPage(const QString &address);
    // What the browsers' goHome() shows.
    static QString homeAddress();
    // The download list, built when first needed: it is no part of the first frame.
    DownloadManager *downloads();

private:
    Prompts &m_prompts;
    RunningSettings &m_settings;
    PopupPolicy m_popups; // the sites the user allowed, shared by every page
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<DownloadManager> m_downloads;
    std::unique_ptr<MediaPolicy> m_media;
    std::unique_ptr<WebEngineBrowser> m_first;
};
