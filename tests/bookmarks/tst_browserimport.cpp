#include "bookmarks/ChromiumBookmarks.h"
#include "bookmarks/FirefoxBookmarks.h"
#include "bookmarks/FirefoxProfiles.h"
#include "bookmarks/InstalledBrowsers.h"
#include "bookmarks/NetscapeBookmarks.h"
#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

class tst_BrowserImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firefoxProfile_data();
    void firefoxProfile();
    void firefoxChangesStillInTheLog();
    void firefoxWithoutPlaces();
    void firefoxDatabaseLockedOrDamaged_data();
    void firefoxDatabaseLockedOrDamaged();
    void nothingInstalled();
    void chromeRootsBeforeChromium();
    void chromiumUnreadable();
    void firefoxUnderXdgConfigOnly();
    void xdgConfigElsewhereWins();
    void firefoxInBothPlaces_data();
    void firefoxInBothPlaces();
    void browsersListedInOrder();
    void lastUsedChromiumProfile_data();
    void lastUsedChromiumProfile();
    void hostileTreesStayBounded_data();
    void hostileTreesStayBounded();

private:
    QString home(const QString &path) const { return QDir(m_home->path()).filePath(path); }
    // A user whose XDG configuration folder is the default ~/.config.
    UserFolders folders() const { return {m_home->path(), home(".config")}; }
    void writeFile(const QString &path, const QByteArray &bytes);
    QString makeFirefoxProfile(const QString &folder = ".mozilla/firefox");
    void writePlaces(const QString &profile);
    BrowserImport readTree(const QString &format, const QString &top, int folders, bool nested);

    std::unique_ptr<QTemporaryDir> m_home;
};

namespace {

QStringList categoryNames(const BrowserImport &import)
{
    QStringList names;
    for (const ExchangeCategory &category : import.categories)
        names.append(category.name);
    return names;
}

QStringList flatten(const BrowserImport &import)
{
    QStringList lines;
    for (const ExchangeCategory &category : import.categories) {
        for (const ExchangeBookmark &bookmark : category.bookmarks)
            lines.append(QStringList{category.name, bookmark.name, bookmark.address, QString::number(bookmark.added)}
                             .join(u'|'));
    }
    return lines;
}

// A places database with the columns read, rows inserted out of order.
// Separators (3), a place: query and the tags root must not show up.
const char *const PlacesRows[] = {
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT)",
    "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER,"
    " position INTEGER, title TEXT, dateAdded INTEGER, guid TEXT)",
    "INSERT INTO moz_places VALUES (1, 'https://www.mozilla.org/'), (2, 'http://intranet/'), (3, 'http://deep/'),"
    " (4, 'http://untitled/'), (5, 'place:sort=8'), (6, 'http://tagged/'), (7, 'http://m.cn/')",
    "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 0, 'root________'),"
    " (6, 2, NULL, 1, 4, 'mobile', 0, 'mobile______'), (2, 2, NULL, 1, 0, 'menu', 0, 'menu________'),"
    " (3, 2, NULL, 1, 1, 'toolbar', 0, 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 0, 'tags________'),"
    " (5, 2, NULL, 1, 3, 'unfiled', 0, 'unfiled_____')",
    "INSERT INTO moz_bookmarks VALUES (10, 1, 1, 2, 2, '火狐', 1700000000123456, 'a1'),"
    " (13, 1, 5, 2, 4, 'Recent', 1700000000000000, 'a4'), (12, 3, NULL, 2, 3, NULL, 0, 'a3'),"
    " (11, 2, NULL, 2, 1, '工作', 0, 'a2'), (14, 1, 2, 11, 1, '内网', 1700000100000000, 'a5'),"
    " (15, 2, NULL, 11, 0, '深层', 0, 'a6'), (16, 1, 3, 15, 0, '深', 1700000200000000, 'a7'),"
    " (17, 1, 4, 3, 1, NULL, 1700000300000000, 'a8'), (18, 2, NULL, 4, 0, 'tag', 0, 'a9'),"
    " (19, 1, 6, 18, 0, 'tagged', 0, 'b1'), (20, 1, 7, 6, 0, '手机', 1700000400000000, 'b2'),"
    " (21, 1, 1, 3, 0, '首位', 1700000500000000, 'b3'), (22, 2, NULL, 2, 0, '先', 0, 'b4'),"
    " (23, 1, 7, 22, 0, '先看', 1700000600000000, 'b5')",
};

const QStringList PlacesBookmarks = {
    "书签菜单|火狐|https://www.mozilla.org/|1700000000",
    "书签菜单 / 先|先看|http://m.cn/|1700000600",
    "书签菜单 / 工作|内网|http://intranet/|1700000100",
    "书签菜单 / 工作 / 深层|深|http://deep/|1700000200",
    "书签工具栏|首位|https://www.mozilla.org/|1700000500",
    "书签工具栏|http://untitled/|http://untitled/|1700000300",
    "移动设备书签|手机|http://m.cn/|1700000400",
};

// The unfiled root is empty and left out.
const QStringList PlacesCategories = {"书签菜单", "书签菜单 / 先", "书签菜单 / 工作", "书签菜单 / 工作 / 深层",
                                      "书签工具栏", "移动设备书签"};

QJsonObject url(const QString &name, const QString &address, const QString &added)
{
    return {{"type", "url"}, {"name", name}, {"url", address}, {"date_added", added}, {"guid", "x"}};
}

QJsonObject folder(const QString &name, const QJsonArray &children)
{
    return {{"type", "folder"}, {"name", name}, {"children", children}, {"date_added", "0"}};
}

// A Bookmarks file whose one bookmark is called name.
QByteArray oneBookmark(const QString &name)
{
    const QJsonObject roots{{"bookmark_bar", folder("bar", {url(name, "http://" + name + "/", "0")})}};
    return QJsonDocument(QJsonObject{{"roots", roots}}).toJson();
}

QStringList listed(const BrowserSearch &search, const QString &root)
{
    QStringList lines;
    for (const InstalledBrowser &browser : search.found)
        lines.append(browser.name + u'|' + QDir(root).relativeFilePath(browser.bookmarks));
    return lines;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnv() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had;
};

} // namespace

void tst_BrowserImport::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
}

void tst_BrowserImport::writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString tst_BrowserImport::makeFirefoxProfile(const QString &folder)
{
    writeFile(home(folder + "/profiles.ini"),
              "[Profile0]\nName=default\nIsRelative=1\nPath=abc.default\nDefault=1\n\n[General]\nVersion=2\n");
    const QString profile = home(folder + "/abc.default");
    QDir().mkpath(profile);
    return profile;
}

void tst_BrowserImport::writePlaces(const QString &profile)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "places");
        db.setDatabaseName(QDir(profile).filePath("places.sqlite"));
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const char *statement : PlacesRows)
            QVERIFY2(query.exec(QString::fromUtf8(statement)), qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase("places");
}

void tst_BrowserImport::firefoxProfile_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("expected"); // "@" stands for the folder of profiles.ini; null: none
    QTest::newRow("install default")
        << QByteArray("[Install4F96D1932A9F858E]\nDefault=b.release\nLocked=1\n\n[Profile1]\nPath=a.default\n"
                      "IsRelative=1\nDefault=1\n\n[Profile0]\nPath=b.release\nIsRelative=1\n")
        << "@/b.release";
    QTest::newRow("marked default")
        << QByteArray("[Profile0]\r\nPath=a\r\nIsRelative=1\r\n[Profile1]\r\nPath=b\r\nIsRelative=1\r\nDefault=1\r\n")
        << "@/b";
    QTest::newRow("first listed") << QByteArray("[Profile0]\nPath=a\nIsRelative=1\n[Profile1]\nPath=b\nIsRelative=1\n")
                                  << "@/a";
    QTest::newRow("absolute") << QByteArray("[Profile0]\nPath=/srv/ff/p\nIsRelative=0\n") << "/srv/ff/p";
    QTest::newRow("install names an absolute profile")
        << QByteArray("[InstallX]\nDefault=/srv/x\n[Profile0]\nPath=a\nIsRelative=1\nDefault=1\n"
                      "[Profile1]\nPath=/srv/x\nIsRelative=0\n")
        << "/srv/x";
    QTest::newRow("names ignore case") << QByteArray("[profile0]\npath = a\nisrelative=1\n") << "@/a";
    QTest::newRow("profile without path skipped")
        << QByteArray("[Profile0]\nName=broken\n[Profile1]\nPath=b\nIsRelative=1\n") << "@/b";
    QTest::newRow("section name ending in a form feed")
        << QByteArray("[Profile0\f]\nPath=a\nIsRelative=1\n") << "@/a";
    QTest::newRow("no profile") << QByteArray("[General]\nStartWithLastProfile=1\n") << QString();
}

void tst_BrowserImport::firefoxProfile()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, expected);
    const QString path = home("firefox/profiles.ini");
    writeFile(path, ini);
    const auto profile = FirefoxProfiles::defaultProfile(path);
    QCOMPARE(profile.has_value(), !expected.isNull());
    if (profile)
        QCOMPARE(*profile, QString(expected).replace(u'@', home("firefox")));
}

void tst_BrowserImport::firefoxChangesStillInTheLog()
{
    const QString places = QDir(makeFirefoxProfile()).filePath("places.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "running");
        db.setDatabaseName(places);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("PRAGMA journal_mode=WAL"));
        QVERIFY(query.exec("PRAGMA wal_autocheckpoint=0"));
        for (const char *statement : PlacesRows)
            QVERIFY(query.exec(QString::fromUtf8(statement)));
        // As long as this connection stays open, everything lives in places.sqlite-wal only.
        QVERIFY(QFileInfo::exists(places + "-wal"));
        const BrowserImport import = FirefoxBookmarks::read(folders());
        QVERIFY2(import.ok(), qPrintable(import.error));
        QCOMPARE(flatten(import), PlacesBookmarks);
        QCOMPARE(categoryNames(import), PlacesCategories);
        QCOMPARE(QSqlDatabase::connectionNames(), QStringList({"running"}));
    }
    QSqlDatabase::removeDatabase("running");
}

void tst_BrowserImport::firefoxWithoutPlaces()
{
    const QString profile = makeFirefoxProfile();
    const BrowserImport import = FirefoxBookmarks::read(folders());
    QVERIFY(!import.ok());
    QVERIFY(import.categories.isEmpty());
    QVERIFY(import.lookedIn.contains(profile + "/places.sqlite"));
    QVERIFY(InstalledBrowsers::find(folders()).found.isEmpty());
}

// Firefox holds its database under an exclusive lock while it runs; a damaged one is
// said to be so, with nothing imported and no connection left behind.
void tst_BrowserImport::firefoxDatabaseLockedOrDamaged_data()
{
    QTest::addColumn<QByteArray>("damage"); // written over the database; empty: locked instead
    QTest::addColumn<bool>("cutShort");
    QTest::newRow("locked by a running Firefox") << QByteArray() << false;
    QTest::newRow("not a database") << QByteArray("SQLite format 3\0garbage", 24).repeated(200) << false;
    QTest::newRow("cut short") << QByteArray() << true;
}

void tst_BrowserImport::firefoxDatabaseLockedOrDamaged()
{
    QFETCH(QByteArray, damage);
    QFETCH(bool, cutShort);
    const QString profile = makeFirefoxProfile();
    writePlaces(profile);
    QFile places(QDir(profile).filePath("places.sqlite"));
    if (cutShort || !damage.isEmpty()) {
        if (cutShort)
            QVERIFY(places.resize(places.size() / 2));
        else
            writeFile(places.fileName(), damage);
        const BrowserImport import = FirefoxBookmarks::read(folders());
        QVERIFY(!import.ok());
        QVERIFY2(import.error.startsWith(QStringLiteral("无法")), qPrintable(import.error));
        QVERIFY(import.categories.isEmpty());
        QVERIFY(QSqlDatabase::connectionNames().isEmpty());
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "running");
        db.setDatabaseName(places.fileName());
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("PRAGMA locking_mode=EXCLUSIVE"));
        QVERIFY(query.exec("UPDATE moz_bookmarks SET title = title")); // takes the lock until closed
        const BrowserImport import = FirefoxBookmarks::read(folders());
        QVERIFY2(import.ok(), qPrintable(import.error));
        QCOMPARE(flatten(import), PlacesBookmarks);
    }
    QSqlDatabase::removeDatabase("running");
}

void tst_BrowserImport::nothingInstalled()
{
    const BrowserImport firefox = FirefoxBookmarks::read(folders());
    QVERIFY(!firefox.ok());
    const QStringList firefoxPlaces{home(".mozilla/firefox/profiles.ini"), home(".config/mozilla/firefox/profiles.ini"),
                                    home("snap/firefox/common/.mozilla/firefox/profiles.ini"),
                                    home(".var/app/org.mozilla.firefox/.mozilla/firefox/profiles.ini")};
    QCOMPARE(firefox.lookedIn, firefoxPlaces);
    const BrowserImport chromium = ChromiumBookmarks::read(folders());
    QVERIFY(!chromium.ok());
    for (const char *place : {".config/google-chrome/Default/Bookmarks", ".config/google-chrome-beta/Default/Bookmarks",
                              ".config/google-chrome-unstable/Default/Bookmarks", ".config/chromium/Default/Bookmarks",
                              "snap/chromium/common/chromium/Default/Bookmarks",
                              ".var/app/org.chromium.Chromium/config/chromium/Default/Bookmarks",
                              ".config/microsoft-edge/Default/Bookmarks", ".config/microsoft-edge-dev/Default/Bookmarks",
                              ".config/BraveSoftware/Brave-Browser/Default/Bookmarks", ".config/vivaldi/Default/Bookmarks",
                              ".config/vivaldi-snapshot/Default/Bookmarks", ".config/opera/Bookmarks",
                              ".config/yandex-browser/Default/Bookmarks"})
        QVERIFY2(chromium.lookedIn.contains(home(place)), place);
    const BrowserSearch all = InstalledBrowsers::find(folders());
    QVERIFY(all.found.isEmpty());
    QCOMPARE(all.lookedIn, firefoxPlaces + chromium.lookedIn);
}

void tst_BrowserImport::chromeRootsBeforeChromium()
{
    // 13340000000 s after 1601 is 1695526400 s after 1970.
    const QJsonObject roots{
        {"bookmark_bar", folder("Bookmarks bar", {url("百度", "https://www.baidu.com/", "13340000000000000"),
                                                  folder("新闻", {url("新浪", "https://sina.com.cn/", "13340000001000000")}),
                                                  folder("空", {})})},
        {"other", folder("Other bookmarks", {url("", "https://nameless/", "0"),
                                             QJsonObject{{"type", "url"}, {"name", "no address"}}})},
        {"synced", folder("Mobile bookmarks", {})}};
    writeFile(home(".config/google-chrome/Default/Bookmarks"),
              QJsonDocument(QJsonObject{{"checksum", "0"}, {"roots", roots}, {"version", 1}}).toJson());
    const QJsonObject other{{"bookmark_bar", folder("b", {url("chromium", "http://x/", "0")})}};
    writeFile(home(".config/chromium/Default/Bookmarks"), QJsonDocument(QJsonObject{{"roots", other}}).toJson());
    const BrowserImport import = ChromiumBookmarks::read(folders());
    QVERIFY2(import.ok(), qPrintable(import.error));
    QCOMPARE(flatten(import), QStringList({"书签栏|百度|https://www.baidu.com/|1695526400",
                                           "书签栏 / 新闻|新浪|https://sina.com.cn/|1695526401",
                                           "其他书签|https://nameless/|https://nameless/|0"}));
    QCOMPARE(categoryNames(import), QStringList({"书签栏", "书签栏 / 新闻", "其他书签"}));
}

void tst_BrowserImport::chromiumUnreadable()
{
    const QString path = home(".config/google-chrome/Default/Bookmarks");
    writeFile(path, "{ \"roots\": ");
    const BrowserImport import = ChromiumBookmarks::read(folders());
    QVERIFY(!import.ok());
    QVERIFY(import.error.contains(path));
    QCOMPARE(import.lookedIn, QStringList({path}));
}

// Firefox 147 and later start new users in the XDG folder, with no ~/.mozilla at all.
void tst_BrowserImport::firefoxUnderXdgConfigOnly()
{
    const QString profile = makeFirefoxProfile(".config/mozilla/firefox");
    writePlaces(profile);
    const BrowserImport import = FirefoxBookmarks::read(folders());
    QVERIFY2(import.ok(), qPrintable(import.error));
    QCOMPARE(flatten(import), PlacesBookmarks);
    QCOMPARE(listed(InstalledBrowsers::find(folders()), m_home->path()),
             QStringList{"Firefox|.config/mozilla/firefox/abc.default/places.sqlite"});
}

// Both browsers kept in ~/.config and in $XDG_CONFIG_HOME: the XDG folder is the
// one they use, and it comes from the environment.
void tst_BrowserImport::xdgConfigElsewhereWins()
{
    writePlaces(makeFirefoxProfile(".config/mozilla/firefox"));
    writePlaces(makeFirefoxProfile("xdg/mozilla/firefox"));
    writeFile(home(".config/google-chrome/Default/Bookmarks"), oneBookmark("home"));
    writeFile(home("xdg/google-chrome/Default/Bookmarks"), oneBookmark("xdg"));
    const ScopedEnv user("HOME", QFile::encodeName(m_home->path()));
    {
        const ScopedEnv config("XDG_CONFIG_HOME", QFile::encodeName(home("xdg")));
        QCOMPARE(listed(InstalledBrowsers::find(), m_home->path()),
                 QStringList({"Firefox|xdg/mozilla/firefox/abc.default/places.sqlite",
                              "Google Chrome|xdg/google-chrome/Default/Bookmarks"}));
        const BrowserImport chrome = ChromiumBookmarks::read();
        QCOMPARE(flatten(chrome), QStringList{"书签栏|xdg|http://xdg/|0"});
    }
    const ScopedEnv unset("XDG_CONFIG_HOME", QByteArray());
    QCOMPARE(listed(InstalledBrowsers::find(), m_home->path()),
             QStringList({"Firefox|.config/mozilla/firefox/abc.default/places.sqlite",
                          "Google Chrome|.config/google-chrome/Default/Bookmarks"}));
}

// Firefox keeps using ~/.mozilla while it is there: that one is read first, and
// where the XDG folder holds a profile too, both are offered by their folders.
void tst_BrowserImport::firefoxInBothPlaces_data()
{
    QTest::addColumn<QString>("config"); // the XDG configuration folder, under home
    QTest::addColumn<QStringList>("profiles");
    QTest::addColumn<QStringList>("listed");
    const QString home = ".mozilla/firefox", xdg = ".config/mozilla/firefox", places = "/abc.default/places.sqlite";
    QTest::newRow("both") << ".config" << QStringList{xdg, home}
        << QStringList{"Firefox (~/" + home + ")|" + home + places, "Firefox (~/" + xdg + ")|" + xdg + places};
    QTest::newRow("XDG folder elsewhere") << "x" << QStringList{"x/mozilla/firefox", home}
        << QStringList{"Firefox (~/" + home + ")|" + home + places, "Firefox (~/x/mozilla/firefox)|x/mozilla/firefox" + places};
    QTest::newRow("only ~/.mozilla") << ".config" << QStringList{home} << QStringList{"Firefox|" + home + places};
}

void tst_BrowserImport::firefoxInBothPlaces()
{
    QFETCH(QString, config);
    QFETCH(QStringList, profiles);
    QFETCH(QStringList, listed);
    for (const QString &folder : profiles)
        writePlaces(makeFirefoxProfile(folder));
    const UserFolders user{m_home->path(), home(config)};
    QCOMPARE(::listed(InstalledBrowsers::findFirefox(user), m_home->path()), listed);
    QCOMPARE(FirefoxBookmarks::read(user).lookedIn, QStringList{home(".mozilla/firefox/abc.default/places.sqlite")});
}

// Each browser once, in one order whatever the disk holds; each reads its own file.
void tst_BrowserImport::browsersListedInOrder()
{
    writeFile(home(".config/yandex-browser/Default/Bookmarks"), oneBookmark("yandex"));
    writeFile(home(".config/opera/Bookmarks"), oneBookmark("opera"));
    writeFile(home(".config/vivaldi/Default/Bookmarks"), oneBookmark("vivaldi-default"));
    writeFile(home(".config/vivaldi/Profile 2/Bookmarks"), oneBookmark("vivaldi"));
    writeFile(home(".config/vivaldi/Local State"), R"({"profile": {"last_used": "Profile 2"}})");
    writeFile(home(".config/BraveSoftware/Brave-Browser/Default/Bookmarks"), oneBookmark("brave"));
    writeFile(home(".config/microsoft-edge/Default/Bookmarks"), oneBookmark("edge"));
    writeFile(home("snap/chromium/common/chromium/Default/Bookmarks"), oneBookmark("chromium"));
    writeFile(home(".config/google-chrome-unstable/Default/Bookmarks"), oneBookmark("chrome"));
    writePlaces(makeFirefoxProfile("snap/firefox/common/.mozilla/firefox"));
    const BrowserSearch search = InstalledBrowsers::find(folders());
    QCOMPARE(listed(search, m_home->path()),
             QStringList({"Firefox (Snap)|snap/firefox/common/.mozilla/firefox/abc.default/places.sqlite",
                          "Google Chrome Dev|.config/google-chrome-unstable/Default/Bookmarks",
                          "Chromium (Snap)|snap/chromium/common/chromium/Default/Bookmarks",
                          "Microsoft Edge|.config/microsoft-edge/Default/Bookmarks",
                          "Brave|.config/BraveSoftware/Brave-Browser/Default/Bookmarks",
                          "Vivaldi|.config/vivaldi/Profile 2/Bookmarks", "Opera|.config/opera/Bookmarks",
                          "Yandex Browser|.config/yandex-browser/Default/Bookmarks"}));
    QCOMPARE(flatten(InstalledBrowsers::read(search.found.first())), PlacesBookmarks);
    QStringList names;
    for (const InstalledBrowser &browser : search.found.mid(1))
        names.append(InstalledBrowsers::read(browser).categories.value(0).bookmarks.value(0).name);
    QCOMPARE(names, QStringList({"chrome", "chromium", "edge", "brave", "vivaldi", "opera", "yandex"}));
    // The plain import takes the first of the family.
    QCOMPARE(flatten(ChromiumBookmarks::read(folders())), QStringList{"书签栏|chrome|http://chrome/|0"});
}

void tst_BrowserImport::lastUsedChromiumProfile_data()
{
    QTest::addColumn<QByteArray>("localState"); // null: no such file
    QTest::addColumn<QStringList>("profiles");  // those with a Bookmarks file
    QTest::addColumn<QString>("expected");      // null: none found
    const QStringList both{"Default", "Profile 1"};
    QTest::newRow("no local state") << QByteArray() << both << "Default";
    QTest::newRow("last used") << QByteArray(R"({"profile":{"last_used":"Profile 1"}})") << both << "Profile 1";
    QTest::newRow("only the last used")
        << QByteArray(R"({"profile":{"last_used":"Profile 1"}})") << QStringList{"Profile 1"} << "Profile 1";
    QTest::newRow("last used has none")
        << QByteArray(R"({"profile":{"last_used":"Profile 3"}})") << both << "Default";
    QTest::newRow("outside the folder") << QByteArray(R"({"profile":{"last_used":"../escape"}})") << both << "Default";
    QTest::newRow("the folder above") << QByteArray(R"({"profile":{"last_used":".."}})") << both << "Default";
    QTest::newRow("damaged") << QByteArray("{ \"profile\": ") << both << "Default";
    QTest::newRow("none") << QByteArray(R"({"profile":{"last_used":"Profile 1"}})") << QStringList() << QString();
}

void tst_BrowserImport::lastUsedChromiumProfile()
{
    QFETCH(QByteArray, localState);
    QFETCH(QStringList, profiles);
    QFETCH(QString, expected);
    const QString data = home(".config/google-chrome");
    if (!localState.isNull())
        writeFile(data + "/Local State", localState);
    for (const QString &profile : profiles)
        writeFile(data + u'/' + profile + "/Bookmarks", oneBookmark("x"));
    // Decoys for names that leave the data folder.
    writeFile(home(".config/escape/Bookmarks"), oneBookmark("x"));
    writeFile(home(".config/Bookmarks"), oneBookmark("x"));
    const BrowserSearch search = InstalledBrowsers::findChromium(folders());
    QCOMPARE(listed(search, data),
             expected.isNull() ? QStringList() : QStringList{"Google Chrome|" + expected + "/Bookmarks"});
}

// A folder "top" above folders f0, f1, … of one bookmark each, side by side or each
// inside the last, in the three formats; read back.
BrowserImport tst_BrowserImport::readTree(const QString &format, const QString &top, int folders, bool nested)
{
    const auto number = [](int i) { return QByteArray::number(i); };
    QByteArray text;
    for (int i = folders - 1; i >= 0; --i) {
        const QByteArray link = "http://b" + number(i) + "/";
        text = format == "html" ? "<DT><H3>f" + number(i) + "</H3><DL><p><DT><A HREF=\"" + link + "\">b</A>"
                                      + (nested ? text + "</DL>" : "</DL>" + text)
                                : "{\"type\":\"folder\",\"name\":\"f" + number(i) + "\",\"children\":[{\"type\":\"url\",\"url\":\""
                                      + link + "\"}" + (nested && !text.isEmpty() ? "," + text + "]}" : "]}" + (text.isEmpty() ? "" : "," + text));
    }
    if (format == "html") {
        writeFile(home("b.html"), "<H1>B</H1><DL><p><DT><H3>" + top.toUtf8() + "</H3><DL><p>" + text + "</DL></DL>");
        return {NetscapeBookmarks::readFile(home("b.html")).value_or(QList<ExchangeCategory>()), {}, {}};
    }
    if (format == "json") {
        writeFile(home("Bookmarks"), R"({"roots":{"bookmark_bar":{"type":"folder","children":[{"type":"folder","name":")"
                                         + top.toUtf8() + "\",\"children\":[" + text + "]}]}}}");
        return ChromiumBookmarks::readFile(home("Bookmarks"));
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "places");
        db.setDatabaseName(home("places.sqlite"));
        QSqlQuery query(db);
        const QString count = "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " + QString::number(folders - 1) + ") ";
        for (const QString &sql : {QString::fromUtf8(PlacesRows[0]), QString::fromUtf8(PlacesRows[1]),
                                   "INSERT INTO moz_bookmarks VALUES (2, 2, NULL, 1, 0, 'm', 0, 'menu________'), (3, 2, NULL, 2, 0, '" + top + "', 0, 't')",
                                   count + "INSERT INTO moz_places SELECT i, 'http://b' || i || '/' FROM n",
                                   count + "INSERT INTO moz_bookmarks SELECT 10 + 2 * i, 2, NULL, " + (nested ? "CASE i WHEN 0 THEN 3 ELSE 8 + 2 * i END" : "3") + ", i, 'f' || i, 0, 'g' || i FROM n",
                                   count + "INSERT INTO moz_bookmarks SELECT 11 + 2 * i, 1, i, 10 + 2 * i, 0, 'b', 0, 'h' || i FROM n"})
            if (!(db.isOpen() || db.open()) || !query.exec(sql))
                return {{}, {}, query.lastError().text()};
    }
    QSqlDatabase::removeDatabase("places");
    return FirefoxBookmarks::readPlaces(home("places.sqlite"));
}

// AddressSanitizer pads every block and keeps freed ones a while; the readers that
// joined whole names took gigabytes, far above either bound.
#ifdef __SANITIZE_ADDRESS__
constexpr long PeakGrowthKiB = 150 * 1024;
#else
constexpr long PeakGrowthKiB = 50 * 1024;
#endif

// A 100 KB folder name above 2,000 folders, or folders 3,000 deep: names are cut
// before they are joined, deeper folders read as the 100th, and nothing is lost.
void tst_BrowserImport::hostileTreesStayBounded_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("nested");
    for (const char *format : {"html", "json", "sqlite"}) {
        QTest::addRow("%s, wide", format) << format << false;
        QTest::addRow("%s, deep", format) << format << true;
    }
}

void tst_BrowserImport::hostileTreesStayBounded()
{
    QFETCH(QString, format);
    QFETCH(bool, nested);
    // Chromium's JSON nests two levels a folder, and Qt reads no deeper than 1024.
    const int folders = !nested ? 2000 : format == "json" ? 400 : 3000;
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const BrowserImport import = readTree(format, QString(nested ? 10 : 100'000, u'长'), folders, nested);
    getrusage(RUSAGE_SELF, &after);
    QVERIFY2(import.ok(), qPrintable(import.error));
    QCOMPARE(flatten(import).size(), folders);
    for (const ExchangeCategory &category : import.categories)
        QVERIFY(cutToProfileLimit(category.name) == category.name);
    QVERIFY(import.categories.size() <= (nested ? MaxFolderDepth : folders + 1));
    QCOMPARE_LT(after.ru_maxrss - before.ru_maxrss, PeakGrowthKiB);
}

QTEST_GUILESS_MAIN(tst_BrowserImport)
#include "tst_browserimport.moc"
