#pragma once

#include <QWebEngineCertificateError>
#include <QWebEnginePage>

class Prompts;

// Answers the engine's requests: new windows, certificates, logins, permissions.
// Questions that may wait are deferred and asked from the event loop.
class WebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    WebPage(QWebEngineProfile *profile, Prompts &prompts, QObject *parent);

signals:
    // The page wants a new window; set *page to the page that opens it (or leave it null).
    void newWindowRequested(QWebEnginePage **page);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;

private:
    void askCertificate(QWebEngineCertificateError error);
    void askPermission(const QUrl &origin, Feature feature);
    void askCredentials(const QString &text, QAuthenticator *authenticator);
    QWidget *owner() const;

    Prompts &m_prompts;
};
