#include "EngineStore.h"

#include "core/ProfileKeys.h"
#include "core/ProfileReader.h"

#include <QSet>

namespace {

const QString EnginesSection = QStringLiteral("engines");
const QString MainSection = QStringLiteral("main");
const QString EngineSection = QStringLiteral("engine");

// A count beyond any real list would only spin through thousands of file reads.
constexpr int MaxCount = 10000;

int readCount(const ProfileReader &file, const QString &section, const QString &key)
{
    return ProfileKeys::count(file.value(section, key), MaxCount);
}

// The stored location starts with a separator and may use backslashes.
QString groupFilePath(const QString &profileFolder, QString location)
{
    location.replace(u'\\', u'/');
    return profileFolder + location;
}

QList<Engine> readEngines(const ProfileReader &file, const QString &marker)
{
    QList<Engine> engines;
    const int count = readCount(file, MainSection, QStringLiteral("Number"));
    for (int j = 1; j <= count; ++j) {
        Engine engine;
        if (parseEngineEntry(file.value(EngineSection, ProfileKeys::numbered(QStringLiteral("e"), j)), marker, &engine))
            engines.append(engine);
    }
    return engines;
}

EngineGroup readGroup(const QString &path)
{
    const ProfileReader file(path);
    EngineGroup group;
    group.name = file.value(MainSection, QStringLiteral("ChineseName"));
    group.key = file.value(MainSection, QStringLiteral("Englishname"));
    const QString number = file.value(MainSection, QStringLiteral("Number"));
    const QString marker = file.value(MainSection, QStringLiteral("key"));
    // Without a key the engines could not be placed under their group, and an
    // empty marker would match everywhere: such a group stays empty.
    if (group.name.isEmpty() || number.isEmpty() || group.key.isEmpty() || marker.isEmpty())
        return group;
    group.engines = readEngines(file, marker);
    return group;
}

} // namespace

QString Engine::tag() const
{
    return QStringLiteral("LX=") + prefix + QStringLiteral("RX=") + suffix;
}

bool parseEngineEntry(const QString &entry, const QString &marker, Engine *engine)
{
    const qsizetype first = entry.indexOf(u',');
    if (first < 0)
        return false;
    const qsizetype second = entry.indexOf(u',', first + 1);
    if (second < 0 || marker.isEmpty())
        return false;
    const qsizetype at = entry.indexOf(marker, second + 1, Qt::CaseSensitive);
    if (at < 0)
        return false;
    engine->name = entry.left(first);
    engine->prefix = entry.mid(second + 1, at - second - 1);
    engine->suffix = entry.mid(at + marker.size());
    return true;
}

QList<EngineGroup> loadEngineGroups(const QString &profileFolder)
{
    const ProfileReader index(profileFolder + QStringLiteral("/engines.ini"));
    QList<EngineGroup> groups;
    QSet<QString> keys;
    const int files = readCount(index, EnginesSection, QStringLiteral("files"));
    for (int i = 1; i <= files; ++i) {
        const QString location = index.value(EnginesSection, ProfileKeys::numbered(QStringLiteral("file"), i));
        if (location.isEmpty())
            continue;
        EngineGroup group = readGroup(groupFilePath(profileFolder, location));
        // A repeated key would make two nodes one; the later group is left out.
        if (!group.key.isEmpty() && keys.contains(group.key))
            continue;
        keys.insert(group.key);
        groups.append(group);
    }
    return groups;
}
