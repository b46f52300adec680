#include "SearchUrl.h"

#include "EngineStore.h"

#include <QUrl>

namespace {

const QString LeftMark = QStringLiteral("LX=");
const QString RightMark = QStringLiteral("RX=");

} // namespace

QString composeSearchUrl(const QString &tag, const QString &query)
{
    // The first "RX=" splits: a suffix may well contain "RX=" again.
    qsizetype split = tag.indexOf(RightMark);
    if (split < 0)
        split = tag.size();
    const qsizetype start = qMin<qsizetype>(LeftMark.size(), split);
    const QString prefix = tag.mid(start, split - start);
    const QString suffix = tag.mid(split + RightMark.size());
    return prefix + QString::fromLatin1(QUrl::toPercentEncoding(query)) + suffix;
}

QString firstEngineSearch(const QString &profileFolder, const QString &query)
{
    for (const EngineGroup &group : loadEngineGroups(profileFolder))
        if (!group.engines.isEmpty())
            return composeSearchUrl(group.engines.first().tag(), query);
    return QString();
}
