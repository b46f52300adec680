#pragma once

#include "BrowserFactory.h"

#include <memory>

class DownloadManager;
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
    QWebEngineProfile *profile() const { return m_profile.get(); }
    DownloadManager *downloads() const { return m_downloads.get(); }

private:
    Prompts &m_prompts;
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<DownloadManager> m_downloads;
};
