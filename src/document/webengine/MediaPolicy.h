#pragma once

#include "document/BrowserFactory.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QWebEnginePage;
class QWebEngineProfile;

// What pages of one profile may show and play: pictures, sound, animations and
// video, switched for every page open and every page to come.
class MediaPolicy : public QObject
{
    Q_OBJECT
public:
    explicit MediaPolicy(QWebEngineProfile *profile, QObject *parent = nullptr);

    void set(BrowserFactory::Media media, bool allowed);
    bool allowed(BrowserFactory::Media media) const;
    // A new page follows the policy from now on.
    void adopt(QWebEnginePage *page);

private:
    QString script() const;
    void applyToProfile();

    QWebEngineProfile *m_profile;
    QList<QPointer<QWebEnginePage>> m_pages;
    bool m_allowed[4] = {true, true, true, true};
};
