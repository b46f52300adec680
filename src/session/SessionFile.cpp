#include "SessionFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace SessionFile {

QList<PageEntry> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<PageEntry> pages;
    const QJsonArray windows = QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("windows")).toArray();
    for (const QJsonValue &window : windows) {
        const PageEntry page{window[QLatin1String("address")].toString(), window[QLatin1String("title")].toString()};
        if (!page.address.isEmpty())
            pages.append(page);
    }
    return pages;
}

bool write(const QString &path, const QList<PageEntry> &pages)
{
    QJsonArray windows;
    for (const PageEntry &page : pages)
        windows.append(QJsonObject{{QLatin1String("address"), page.address}, {QLatin1String("title"), page.title}});
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(QJsonObject{{QLatin1String("windows"), windows}}).toJson());
    return file.commit();
}

} // namespace SessionFile
