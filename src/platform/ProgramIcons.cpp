#include "ProgramIcons.h"

#include "core/IniDocument.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QFile>
#include <QStandardPaths>

namespace {

// The program an Exec line starts, without its folder: its first word, or what
// stands between its first pair of quotes.
QString programOf(const QString &exec)
{
    const QString line = exec.trimmed();
    QString first;
    if (line.startsWith(u'"')) {
        for (qsizetype i = 1; i < line.size() && line.at(i) != u'"'; ++i)
            first += line.at(i) == u'\\' && i + 1 < line.size() ? line.at(++i) : line.at(i);
    } else {
        first = line.section(u' ', 0, 0);
    }
    return QFileInfo(first).fileName();
}

QStringList entryFolders()
{
    return QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("applications"),
                                     QStandardPaths::LocateDirectory);
}

// When the folders last changed.
QString stamp(const QStringList &folders)
{
    QString changed;
    for (const QString &folder : folders)
        changed += folder + QString::number(QFileInfo(folder).lastModified().toMSecsSinceEpoch());
    return changed;
}

// Program name to icon name, from the desktop entries of folders.
QHash<QString, QString> readEntries(const QStringList &folders)
{
    QHash<QString, QString> found;
    const QString section = QStringLiteral("Desktop Entry");
    for (const QString &folder : folders) {
        for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.desktop")}, QDir::Files)) {
            QFile text(file.filePath());
            if (!text.open(QIODevice::ReadOnly))
                continue;
            const IniDocument entry = IniDocument::fromText(QString::fromUtf8(text.readAll()));
            const QString program = programOf(entry.value(section, QStringLiteral("Exec")).value_or(QString()));
            const QString icon = entry.value(section, QStringLiteral("Icon")).value_or(QString());
            if (!program.isEmpty() && !icon.isEmpty() && !found.contains(program))
                found.insert(program, icon);
        }
    }
    return found;
}

// Read again only when a folder changed, so a program installed meanwhile shows its icon.
const QHash<QString, QString> &entryIcons()
{
    static QString read;
    static QHash<QString, QString> icons;
    const QStringList folders = entryFolders();
    if (const QString now = stamp(folders); now != read) {
        read = now;
        icons = readEntries(folders);
    }
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
