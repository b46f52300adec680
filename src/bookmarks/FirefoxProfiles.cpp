#include "FirefoxProfiles.h"

#include "core/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// Named as a look-up finds them: a header read another way might name no section.
QStringList sectionsStartingWith(const IniDocument &doc, const QString &prefix)
{
    QStringList sections;
    for (const QString &name : doc.sectionNames()) {
        if (name.startsWith(prefix, Qt::CaseInsensitive))
            sections.append(name);
    }
    return sections;
}

QString valueOf(const IniDocument &doc, const QString &section, const QString &key)
{
    return doc.value(section, key).value_or(QString());
}

// Paths of IsRelative=0 profiles are absolute, and filePath keeps those as they are.
QString resolve(const QString &folder, const QString &path)
{
    return QDir(folder).filePath(path);
}

// The Install section names its profile by the profile's Path.
std::optional<QString> installDefault(const IniDocument &doc, const QString &folder)
{
    for (const QString &install : sectionsStartingWith(doc, QStringLiteral("Install"))) {
        const QString path = valueOf(doc, install, QStringLiteral("Default"));
        if (!path.isEmpty())
            return resolve(folder, path);
    }
    return std::nullopt;
}

} // namespace

namespace FirefoxProfiles {

std::optional<QString> defaultProfile(const QString &profilesIni)
{
    QFile file(profilesIni);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const IniDocument doc = IniDocument::fromText(QString::fromUtf8(file.readAll()));
    const QString folder = QFileInfo(profilesIni).absolutePath();
    QStringList profiles;
    for (const QString &section : sectionsStartingWith(doc, QStringLiteral("Profile"))) {
        if (!valueOf(doc, section, QStringLiteral("Path")).isEmpty())
            profiles.append(section);
    }
    if (const auto path = installDefault(doc, folder))
        return path;
    if (profiles.isEmpty())
        return std::nullopt;
    QString chosen = profiles.first();
    for (const QString &profile : profiles) {
        if (valueOf(doc, profile, QStringLiteral("Default")) == QStringLiteral("1")) {
            chosen = profile;
            break;
        }
    }
    return resolve(folder, valueOf(doc, chosen, QStringLiteral("Path")));
}

} // namespace FirefoxProfiles
