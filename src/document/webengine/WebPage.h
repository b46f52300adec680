#pragma once

#include <QWebEngineCertificateError>
#include <QWebEnginePage>

#include <functional>

class PopupPolicy;
class Prompts;

// Answers the engine's requests: new windows, certificates, logins, permissions.
// Questions that may wait are deferred and asked from the event loop.
class WebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    // popups decides which windows the page may open; it outlives the page.
    WebPage(QWebEngineProfile *profile, Prompts &prompts, const PopupPolicy &popups, QObject *parent);

    // Gives the page that a new window asked for opens in; null drops the request.
    void setNewWindowHandler(std::function<QWebEnginePage *()> handler) { m_newWindow = std::move(handler); }

signals:
    // The page opened a window on its own and got none.
    void popupBlocked();

private:
    void openWindow(QWebEngineNewWindowRequest &request);
    void askCertificate(QWebEngineCertificateError error);
    void askPermission(const QUrl &origin, Feature feature);
    void askCredentials(const QString &place, const QString &text, QAuthenticator *authenticator);
    QWidget *owner() const;

    Prompts &m_prompts;
    const PopupPolicy &m_popups;
    std::function<QWebEnginePage *()> m_newWindow;
    QString m_loginGiven; // where the user last gave a login in this navigation, until it ends
};
