#include "InstalledBrowsers.h"

#include "ChromiumBookmarks.h"
#include "FirefoxBookmarks.h"
#include "FirefoxProfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <optional>

namespace {

// Config: under the XDG configuration folder, tried there and then in ~/.config.
// Home: under the home folder, where sandboxed packages keep their own.
enum class Base { Config, Home };

// Opera keeps its one profile in the data folder itself; the others keep
// profiles ("Default", "Profile 1") inside it.
enum class Layout { Profiles, Flat };

struct Place
{
    const char *name;
    Base base;
    const char *folder;
    Layout layout = Layout::Profiles;
};

// Firefox keeps using ~/.mozilla while it exists, whatever the XDG folder holds:
// that one comes first. Where both hold a profile, both are offered.
const Place FirefoxPlaces[] = {
    {"Firefox", Base::Home, ".mozilla/firefox"},
    {"Firefox", Base::Config, "mozilla/firefox"},
    {"Firefox (Snap)", Base::Home, "snap/firefox/common/.mozilla/firefox"},
    {"Firefox (Flatpak)", Base::Home, ".var/app/org.mozilla.firefox/.mozilla/firefox"},
};

// A Flatpak's XDG configuration folder is ~/.var/app/<id>/config.
const Place ChromiumPlaces[] = {
    {"Google Chrome", Base::Config, "google-chrome"},
    {"Google Chrome (Flatpak)", Base::Home, ".var/app/com.google.Chrome/config/google-chrome"},
    {"Google Chrome Beta", Base::Config, "google-chrome-beta"},
    {"Google Chrome Dev", Base::Config, "google-chrome-unstable"},
    {"Chromium", Base::Config, "chromium"},
    {"Chromium (Snap)", Base::Home, "snap/chromium/common/chromium"},
    {"Chromium (Flatpak)", Base::Home, ".var/app/org.chromium.Chromium/config/chromium"},
    {"Microsoft Edge", Base::Config, "microsoft-edge"},
    {"Microsoft Edge (Flatpak)", Base::Home, ".var/app/com.microsoft.Edge/config/microsoft-edge"},
    {"Microsoft Edge Beta", Base::Config, "microsoft-edge-beta"},
    {"Microsoft Edge Dev", Base::Config, "microsoft-edge-dev"},
    {"Brave", Base::Config, "BraveSoftware/Brave-Browser"},
    {"Brave (Flatpak)", Base::Home, ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser"},
    {"Brave Beta", Base::Config, "BraveSoftware/Brave-Browser-Beta"},
    {"Brave Nightly", Base::Config, "BraveSoftware/Brave-Browser-Nightly"},
    {"Vivaldi", Base::Config, "vivaldi"},
    {"Vivaldi Snapshot", Base::Config, "vivaldi-snapshot"},
    {"Opera", Base::Config, "opera", Layout::Flat},
    {"Yandex Browser", Base::Config, "yandex-browser"},
};

const QString DefaultProfile = QStringLiteral("Default");

QStringList configFolders(const UserFolders &folders)
{
    QStringList result;
    for (const QString &folder : {folders.config, QDir(folders.home).filePath(QStringLiteral(".config"))}) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !result.contains(clean))
            result.append(clean);
    }
    return result;
}

QStringList foldersOf(const Place &place, const UserFolders &folders)
{
    const QString folder = QString::fromUtf8(place.folder);
    if (place.base == Base::Home)
        return {QDir(folders.home).filePath(folder)};
    QStringList result;
    for (const QString &config : configFolders(folders))
        result.append(QDir(config).filePath(folder));
    return result;
}

// The profile the browser last ran with, as its "Local State" names it; a name
// must stay a folder inside the data folder.
QString lastUsedProfile(const QString &dataFolder)
{
    QFile file(QDir(dataFolder).filePath(QStringLiteral("Local State")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QJsonObject profile = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("profile")).toObject();
    const QString name = profile.value(QStringLiteral("last_used")).toString();
    if (name.isEmpty() || name.contains(u'/') || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return QString();
    return name;
}

std::optional<QString> chromiumBookmarks(const QString &dataFolder, Layout layout, QStringList *lookedIn)
{
    const QDir data(dataFolder);
    QStringList candidates;
    if (layout == Layout::Flat) {
        candidates.append(data.filePath(QStringLiteral("Bookmarks")));
    } else {
        const QString lastUsed = lastUsedProfile(dataFolder);
        if (!lastUsed.isEmpty() && lastUsed != DefaultProfile)
            candidates.append(data.filePath(lastUsed + QStringLiteral("/Bookmarks")));
        candidates.append(data.filePath(DefaultProfile + QStringLiteral("/Bookmarks")));
    }
    for (const QString &file : candidates) {
        lookedIn->append(file);
        if (QFileInfo(file).isFile())
            return file;
    }
    return std::nullopt;
}

std::optional<QString> firefoxPlaces(const QString &folder, QStringList *lookedIn)
{
    const QString ini = QDir(folder).filePath(QStringLiteral("profiles.ini"));
    lookedIn->append(ini);
    const auto profile = FirefoxProfiles::defaultProfile(ini);
    if (!profile)
        return std::nullopt;
    const QString places = QDir(*profile).filePath(QStringLiteral("places.sqlite"));
    lookedIn->append(places);
    if (!QFileInfo(places).isFile())
        return std::nullopt;
    return places;
}

// A folder as the user knows it: "~/.mozilla/firefox".
QString shownFolder(const QString &folder, const QString &home)
{
    const QString clean = QDir::cleanPath(folder);
    const QString root = QDir::cleanPath(home);
    return clean.startsWith(root + u'/') ? u'~' + clean.mid(root.size()) : clean;
}

// One browser found in two places is offered twice, each named by its folder.
void nameApart(QList<InstalledBrowser> *found, const QStringList &folders, const QString &home)
{
    QStringList names;
    for (const InstalledBrowser &browser : std::as_const(*found))
        names.append(browser.name);
    for (qsizetype i = 0; i < found->size(); ++i) {
        if (names.count(names.at(i)) > 1)
            (*found)[i].name += QStringLiteral(" (%1)").arg(shownFolder(folders.at(i), home));
    }
}

template<std::size_t N>
BrowserSearch search(const Place (&places)[N], InstalledBrowser::Format format, const UserFolders &folders)
{
    BrowserSearch result;
    QStringList where;
    for (const Place &place : places) {
        for (const QString &folder : foldersOf(place, folders)) {
            const auto file = format == InstalledBrowser::FirefoxPlaces
                                  ? firefoxPlaces(folder, &result.lookedIn)
                                  : chromiumBookmarks(folder, place.layout, &result.lookedIn);
            if (file) {
                result.found.append({QString::fromUtf8(place.name), *file, format});
                where.append(folder);
                break;
            }
        }
    }
    nameApart(&result.found, where, folders.home);
    return result;
}

} // namespace

namespace InstalledBrowsers {

UserFolders userFolders()
{
    return {QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
}

BrowserSearch find(const UserFolders &folders)
{
    BrowserSearch result = findFirefox(folders);
    const BrowserSearch chromium = findChromium(folders);
    result.found += chromium.found;
    result.lookedIn += chromium.lookedIn;
    return result;
}

BrowserSearch findFirefox(const UserFolders &folders)
{
    return search(FirefoxPlaces, InstalledBrowser::FirefoxPlaces, folders);
}

BrowserSearch findChromium(const UserFolders &folders)
{
    return search(ChromiumPlaces, InstalledBrowser::ChromiumJson, folders);
}

BrowserImport read(const InstalledBrowser &browser)
{
    return browser.format == InstalledBrowser::FirefoxPlaces ? FirefoxBookmarks::readPlaces(browser.bookmarks)
                                                             : ChromiumBookmarks::readFile(browser.bookmarks);
}

BrowserImport readFirst(const BrowserSearch &search, const QString &noneFound)
{
    if (!search.found.isEmpty())
        return read(search.found.first());
    BrowserImport result;
    result.lookedIn = search.lookedIn;
    result.error = noneFound;
    return result;
}

} // namespace InstalledBrowsers
