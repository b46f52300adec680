#pragma once

#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"

#include <QPointer>
#include <QStringList>

// A browser control that only records what it was asked to do, for tests that
// need to see which call was made and nothing of the page. A navigation completes
// at once.
class ScriptedBrowser : public BrowserControl
{
    Q_OBJECT
public:
    using BrowserControl::BrowserControl;

    QStringList calls; // "navigate <address>", "back", "execWB 4", "sendKeys 3", …

    void navigate(const QString &address) override;
    void goBack() override { calls.append(QStringLiteral("back")); }
    void goForward() override { calls.append(QStringLiteral("forward")); }
    void goHome() override { calls.append(QStringLiteral("home")); }
    void refresh() override { calls.append(QStringLiteral("refresh")); }
    void stop() override { calls.append(QStringLiteral("stop")); }
    void execWB(Command command) override { calls.append(QStringLiteral("execWB %1").arg(int(command))); }
    QString locationURL() const override { return m_address; }
    QString locationName() const override { return m_address; }
    void takeFocus() override { calls.append(QStringLiteral("focus")); }
    void showFind() override { calls.append(QStringLiteral("find")); }
    void setZoom(qreal factor) override { m_zoom = factor; }
    qreal zoom() const override { return m_zoom; }
    bool canGoBack() const override { return back; }
    bool canGoForward() const override { return forward; }
    bool isLoading() const override { return loading; }
    void sendKeys(const QList<KeyStroke> &strokes) override;
    void allowPopups() override { calls.append(QStringLiteral("allowPopups")); }
    // What back, forward and stop may do, as a page would report it.
    void setCommandState(bool canBack, bool canForward, bool isLoading);

    bool back = false;
    bool forward = false;
    bool loading = false;

    // The addresses navigated to, in order.
    QStringList navigations() const;
    // Acts as a page that asks for a new window; returns the control it got.
    BrowserControl *openWindowFromPage() { return NewWindow2(); }

private:
    QString m_address;
    qreal m_zoom = 1.0;
};

class ScriptedBrowsers : public BrowserFactory
{
public:
    QList<QPointer<ScriptedBrowser>> made;
    int downloads = 0;
    QList<QWidget *> downloadsShownNear; // the near of each showDownloads call

    BrowserControl *createBrowser(QWidget *parent) override;
    QDialog *createProfileDialog(QWidget *) override { return nullptr; }
    int runningDownloads() const override { return downloads; }
    void setMediaAllowed(Media media, bool allowed) override
    {
        m_media[int(media)] = allowed;
        mediaChanged(media, allowed);
    }
    bool mediaAllowed(Media media) const override { return m_media[int(media)]; }
    void showDownloads(QWidget *near) override { downloadsShownNear.append(near); }

private:
    bool m_media[4] = {true, true, true, true}; // by BrowserFactory::Media
};
