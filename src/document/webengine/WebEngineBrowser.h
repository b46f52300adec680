#pragma once

#include "document/BrowserControl.h"
#include "core/TypedAddress.h"

#include <QList>

#include <functional>
#include <memory>
#include <optional>

class FindBar;
class PageTyper;
class PopupPolicy;
class Prompts;
class QPrinter;
class QWebEngineFullScreenRequest;
class QWebEngineProfile;
class QWebEngineView;
class WebPage;

// The browser control on Qt WebEngine.
class WebEngineBrowser : public BrowserControl
{
    Q_OBJECT
public:
    // search and popups outlive the browser: they belong to the environment that makes browsers.
    WebEngineBrowser(QWebEngineProfile *profile, Prompts &prompts, const TypedAddress::Search &search,
                     PopupPolicy &popups, QWidget *parent = nullptr);
    ~WebEngineBrowser() override;

    void navigate(const QString &address) override;
    void goBack() override;
    void goForward() override;
    void goHome() override;
    void refresh() override;
    void stop() override;
    void execWB(Command command) override;
    QString locationURL() const override;
    QString locationName() const override;
    void takeFocus() override;
    void showFind() override;
    void setZoom(qreal factor) override;
    qreal zoom() const override;
    bool canGoBack() const override;
    bool canGoForward() const override;
    bool isLoading() const override { return m_loading; }
    bool lastLoadSucceeded() const override { return m_loadSucceeded; }
    void sendKeys(const QList<KeyStroke> &strokes) override;
    void allowPopups() override;

    QWebEngineView *view() const { return m_view; }
    WebPage *page() const { return m_page; }
    // Built at the first find: most pages are never searched.
    FindBar *findBar();

    // Connected once for the whole application: hands a focus change to the
    // browser whose page lost the focus.
    static void focusChanged(QWidget *old, QWidget *now);

    // Starts loading address before the browser has a window to report to. What the
    // page reports is kept until the first navigate(), which, for the same address,
    // tells it in order instead of loading again (for another, drops it and loads),
    // or until the event loop runs after releaseSoon().
    void preload(const QString &address);
    void releaseSoon();

signals:
    void printFinished(bool success);

private:
    void connectPage();
    void saveAs();
    void print();
    void showProperties();
    void toggleFullScreen(QWebEngineFullScreenRequest request);
    void showContextMenu(const QPoint &position);
    void keepPageFocus(QWidget *old, QWidget *now);
    void report(std::function<void()> signal);
    void release(bool tell);

    Prompts &m_prompts;
    const TypedAddress::Search &m_search;
    PopupPolicy &m_popups;
    QUrl m_popupOpener; // the page whose window was last blocked
    WebPage *m_page;
    QWebEngineView *m_view;
    FindBar *m_findBar = nullptr;
    PageTyper *m_typer;
    QString m_builtinAddress; // the about: address shown by a page of ours
    QString m_crashedAddress; // the page whose renderer died, while its error page shows
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QWebEngineView> m_fullScreenView;
    bool m_loading = false;
    bool m_loadSucceeded = true;
    bool m_errorPage = false;
    std::optional<QList<std::function<void()>>> m_held; // reports kept while preloading
    QString m_preloaded;                               // the preloaded address, until the first navigate()
};
