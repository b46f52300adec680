#include "PopupPolicy.h"

namespace {

int defaultPort(const QString &scheme)
{
    if (scheme == QLatin1String("http"))
        return 80;
    if (scheme == QLatin1String("https"))
        return 443;
    return -1;
}

} // namespace

QString PopupPolicy::siteOf(const QUrl &page)
{
    const QString scheme = page.scheme().toLower();
    return QStringLiteral("%1://%2:%3").arg(scheme, page.host().toLower()).arg(page.port(defaultPort(scheme)));
}

bool PopupPolicy::allows(const QUrl &opener, bool userInitiated) const
{
    return userInitiated || m_sites.contains(siteOf(opener));
}

void PopupPolicy::allow(const QUrl &page) { m_sites.insert(siteOf(page)); }
