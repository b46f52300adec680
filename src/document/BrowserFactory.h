#pragma once

#include "core/TypedAddress.h"

#include <functional>

class BrowserControl;
class QDialog;
class QWidget;

// Makes browser controls, so windows can be built with the real engine or a stand-in.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    virtual BrowserControl *createBrowser(QWidget *parent) = 0;
    // The options of the web profile (cache, cookies, history, scripts, images, downloads).
    virtual QDialog *createProfileDialog(QWidget *parent) = 0;
    // Downloads still on their way.
    virtual int runningDownloads() const = 0;
    // The download list, beside near's window, raised and active; empty when nothing was downloaded.
    virtual void showDownloads(QWidget *near) = 0;

    enum class Media { Pictures, Sound, Animations, Video };
    // Whether pages show or play media: every page open now and every page to come.
    virtual void setMediaAllowed(Media media, bool allowed) = 0;
    virtual bool mediaAllowed(Media media) const = 0;
    // Told of every switch, whichever window made it.
    using MediaListener = std::function<void(Media media, bool allowed)>;
    void onMediaChanged(MediaListener listener) { m_mediaListener = std::move(listener); }

    // Told when the user clears the history of the web profile.
    void onHistoryCleared(std::function<void()> listener) { m_historyCleared = std::move(listener); }

    // How an address box's text that is no address becomes a search, for browsers made from now on.
    void setTypedSearch(TypedAddress::Search search) { m_typedSearch = std::move(search); }

protected:
    const TypedAddress::Search &typedSearch() const { return m_typedSearch; }
    void mediaChanged(Media media, bool allowed) const
    {
        if (m_mediaListener)
            m_mediaListener(media, allowed);
    }
    void historyCleared() const
    {
        if (m_historyCleared)
            m_historyCleared();
    }

private:
    MediaListener m_mediaListener;
    std::function<void()> m_historyCleared;
    TypedAddress::Search m_typedSearch;
};
