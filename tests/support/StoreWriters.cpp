#include "StoreWriters.h"

#include "ProfileText.h"
#include "autotext/AutotextStore.h"
#include "bookmarks/BookmarkStore.h"
#include "core/AppInfo.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/ProfileKeys.h"
#include "core/SettingsStore.h"
#include "linktools/LinkToolStore.h"
#include "search/EngineStore.h"

#include <QDirIterator>
#include <QRegularExpression>

#include <memory>

namespace {

QString address(const QString &name) { return QStringLiteral("https://k/") + name; }
int numberIn(const QString &name) { return name.section(u'-', -1).toInt(); }
// Snippets share 100 slots: the first writer takes the odd ones, the second the even ones.
int slotOf(const QString &name) { return numberIn(name) % 50 * 2 + (name.startsWith(u'乙') ? 2 : 1); }
QString file(const QString &folder, const char *name) { return folder + u'/' + QLatin1String(name); }
// The settings store of a writer lives beside its profile files.
IniFile settingsFile(const QString &folder)
{
    return IniFile(SettingsStore(folder + "/s").fileFor(AppInfo::Title), QByteArrayLiteral("UTF-8"), QStringLiteral("\n"));
}


Held byName(const QStringList &names)
{
    Held held;
    for (const QString &name : names)
        held.insert(name, name);
    return held;
}

Held keysHolding(const std::optional<IniDocument> &doc)
{
    QStringList names;
    const auto section = doc.value_or(IniDocument()).section("w");
    for (auto it = section.cbegin(); it != section.cend(); ++it)
        names.append(it.value() == address(it.key()) ? it.key() : QString());
    return byName(names);
}

Held shownTools(const QString &folder)
{
    QStringList names;
    for (const LinkTool &tool : LinkToolStore(folder).tools())
        names.append(tool.title);
    return byName(names);
}

const Store ProfileFile{
    "profile file",
    [](const QString &folder, int) -> Write {
        return [ini = IniFile::profile(file(folder, "p.ini"))](const QString &n) { return ini.setValue("w", n, address(n)); };
    },
    [](const QString &folder) { return keysHolding(IniFile::profile(file(folder, "p.ini")).read()); }};

const Store Bookmarks{
    "bookmarks",
    [](const QString &folder, int) -> Write {
        return [store = BookmarkStore(folder), c = file(folder, "c.bookmark.txt")](const QString &n) mutable {
            return store.addBookmark(c, n, address(n)) > 0;
        };
    },
    [](const QString &folder) {
        const BookmarkStore store(folder);
        QStringList names;
        for (const BookmarkEntry &entry : store.categories().value(0).entries())
            names.append(entry.address == address(entry.name) && !store.indexDamaged() ? entry.name : QString());
        return byName(names);
    }};

const Store Settings{
    "settings",
    [](const QString &folder, int) -> Write {
        // One store for the writer's life, as the program keeps it, its cache going stale.
        return [store = std::make_shared<SettingsStore>(folder + "/s")](const QString &n) {
            return store->save(AppInfo::Title, "w", n, address(n));
        };
    },
    [](const QString &folder) { return keysHolding(settingsFile(folder).read()); }};

const Store Snippets{
    "snippets",
    [](const QString &folder, int) -> Write {
        return [store = AutotextStore(folder)](const QString &n) mutable { return store.setSlot(slotOf(n), n); };
    },
    [](const QString &folder) {
        Held held;
        const QStringList rows = AutotextStore(folder).rows();
        for (int slot = 1; slot <= rows.size(); ++slot)
            held.insert(QString::number(slot), AutotextStore::isEmpty(rows.at(slot - 1)) ? QString() : rows.at(slot - 1));
        return held;
    },
    true};

const Store LinkTools{
    "link tools",
    [](const QString &folder, int) -> Write {
        return [store = LinkToolStore(folder)](const QString &n) mutable { return store.add(n, address(n)); };
    },
    shownTools};

// The seeded tools renamed by one writer while the other removes them.
const Store RenamedRemoved{
    "link tools renamed while removed",
    [](const QString &folder, int lane) -> Write {
        return [store = LinkToolStore(folder), lane](const QString &n) mutable {
            return lane == 0 ? store.setTitle(numberIn(n) + 1, n) : store.remove(numberIn(n) + 1);
        };
    },
    shownTools, false, true};

// The program only reads engines: a writer adds one as a tool must, its count under the lock too.
const Store Engines{
    "engines",
    [](const QString &folder, int) -> Write {
        return [ini = IniFile::profile(file(folder, "g.ini"))](const QString &n) {
            return ini.update([&](IniDocument &doc) {
                const int e = ProfileKeys::count(doc.value("main", "Number").value_or(QString()), Adds * 2) + 1;
                doc.setValue("engine", ProfileKeys::numbered("e", e), n + ",," + address(n) + "$KW$");
                doc.setValue("main", "Number", QString::number(e));
            });
        };
    },
    [](const QString &folder) {
        QStringList names;
        for (const Engine &engine : loadEngineGroups(folder).value(0).engines)
            names.append(engine.prefix == address(engine.name) ? engine.name : QString());
        return byName(names);
    }};

} // namespace

QString Store::where(const QString &name) const { return bySlot ? QString::number(slotOf(name)) : name; }

const QList<const Store *> KilledStores{&ProfileFile, &Bookmarks, &Settings, &Snippets};
const QList<const Store *> SharedStores{&Bookmarks, &Snippets, &LinkTools, &Settings, &Engines, &RenamedRemoved};

bool seed(const QString &folder)
{
    QStringList tools{"[program]"};
    for (int i = 1; i <= Adds; ++i)
        tools.append(QStringLiteral("p %1=t,%2").arg(i).arg(address("t")));
    return writeProfileLines(file(folder, "bookmark.ini"), {"[bookmark]", "files=1", "file 1=\\c.bookmark.txt"})
        && writeProfileLines(file(folder, "c.bookmark.txt"), {"[main]", "chinesename=甲", "number=0"})
        && writeProfileLines(file(folder, "engines.ini"), {"[engines]", "files=1", "file 1=\\g.ini"})
        && writeProfileLines(file(folder, "g.ini"), {"[main]", "ChineseName=组", "Englishname=g", "Number=0", "key=$KW$"})
        && writeProfileLines(file(folder, "linktools.ini"), tools);
}

// Each change in order is there, or (in a slot) one made after it, reported later or not at all.
QString lost(const Store &store, const Held &held, const QStringList &changes)
{
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const QString now = held.value(store.where(changes.at(i)));
        const qsizetype at = changes.indexOf(now);
        if (now != changes.at(i) && (now.isEmpty() || (at >= 0 && at < i)))
            return QStringLiteral("%1: %2 lost (%3)").arg(store.tag, changes.at(i), now);
    }
    return QString();
}

// What a kill may leave half done: a file cut short, or a whole copy beside it.
QString damage(const QString &folder)
{
    static const QRegularExpression copy(QStringLiteral("\\.[A-Za-z]{6}$"));
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (it.fileName().contains(QLatin1String(".lock")))
            continue;
        if (copy.match(it.fileName()).hasMatch())
            return QStringLiteral("stray copy ") + it.fileName();
        if (!file.open(QIODevice::ReadOnly) || !file.readAll().endsWith('\n'))
            return QStringLiteral("cut short ") + it.fileName();
    }
    return QString();
}

