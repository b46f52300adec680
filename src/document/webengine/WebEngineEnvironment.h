#pragma once

#include "document/BrowserFactory.h"
#include "core/TypedAddress.h"

#include <memory>

class DownloadManager;
class MediaPolicy;
class Prompts;
class QWebEngineProfile;

// The web profile every browser shares (cookies, cache and history persist), and
// the download list of that profile.
class WebEngineEnvironment : public BrowserFactory
{
public:
    explicit WebEngineEnvironment(Prompts &prompts);
    ~WebEngineEnvironment() override;

    BrowserControl *createBrowser(QWidget *parent) override;
    QDialog *createProfileDialog(QWidget *parent) override;
    int runningDownloads() const override;
    void showDownloads(QWidget *near) override;
    void setMediaAllowed(Media media, bool allowed) override;
    // How browsers turn typed text that is no address into a search.
    void setTypedSearch(TypedAddress::Search search) { m_search = std::move(search); }
    QWebEngineProfile *profile() const { return m_profile.get(); }
    DownloadManager *downloads() const { return m_downloads.get(); }

private:
    Prompts &m_prompts;
    TypedAddress::Search m_search;
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<DownloadManager> m_downloads;
    std::unique_ptr<MediaPolicy> m_media;
};
