#pragma once

#include <QSet>
#include <QString>
#include <QUrl>

// Which windows a page may open: those the user asked for (a click, a key) always;
// those a page opens on its own (a timer, its load) only on a site the user allowed.
// The allowed sites last for the run and are never stored.
class PopupPolicy
{
public:
    // Scheme, host and port: http://example.com and http://example.com:80 are one site.
    static QString siteOf(const QUrl &page);

    bool allows(const QUrl &opener, bool userInitiated) const;
    void allow(const QUrl &page);

private:
    QSet<QString> m_sites;
};
