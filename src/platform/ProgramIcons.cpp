#include "ProgramIcons.h"

#include "core/IniDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QFile>
#include <QStandardPaths>

namespace {

// The first word of an Exec line, without quotes or its folder.
QString programOf(const QString &exec)
{
    QString first = exec.trimmed().section(u' ', 0, 0);
    first.remove(u'"');
    return QFileInfo(first).fileName();
}

// Program name to icon name, from every desktop entry, read once when first asked.
const QHash<QString, QString> &entryIcons()
{
    static const QHash<QString, QString> icons = [] {
        QHash<QString, QString> found;
        const QStringList folders =
            QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("applications"),
                                      QStandardPaths::LocateDirectory);
        for (const QString &folder : folders) {
            for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.desktop")}, QDir::Files)) {
                QFile text(file.filePath());
                if (!text.open(QIODevice::ReadOnly))
                    continue;
                const IniDocument entry = IniDocument::fromText(QString::fromUtf8(text.readAll()));
                const QString section = QStringLiteral("Desktop Entry");
                const QString program = programOf(entry.value(section, QStringLiteral("Exec")).value_or(QString()));
                const QString icon = entry.value(section, QStringLiteral("Icon")).value_or(QString());
                if (!program.isEmpty() && !icon.isEmpty() && !found.contains(program))
                    found.insert(program, icon);
            }
        }
        return found;
    }();
    return icons;
}

QIcon named(const QString &icon)
{
    return QFileInfo(icon).isAbsolute() ? QIcon(icon) : QIcon::fromTheme(icon);
}

} // namespace

namespace ProgramIcons {

QIcon forProgram(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        return QIcon();
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = named(entryIcons().value(name));
    return icon;
}

} // namespace ProgramIcons
