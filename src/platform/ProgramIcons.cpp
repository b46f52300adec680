#include "ProgramIcons.h"

#include "core/IniDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHash>
#include <QPointer>
#include <QPromise>
#include <QStandardPaths>
#include <QThreadPool>

#include <memory>

namespace {

using EntryIcons = QHash<QString, QString>; // program name to icon name

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

// Program name to icon name, from the desktop entries of folders.
EntryIcons readEntries(const QStringList &folders)
{
    EntryIcons found;
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

QFuture<EntryIcons> readInBackground()
{
    auto promise = std::make_shared<QPromise<EntryIcons>>();
    QFuture<EntryIcons> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise] {
        promise->addResult(readEntries(entryFolders()));
        promise->finish();
    });
    return future;
}

// Read once for the application; the watcher tells the GUI thread, in the order
// connected, first the index and then those waiting for it.
struct Index
{
    QPointer<QFutureWatcher<EntryIcons>> watcher;
    EntryIcons icons;
    bool ready = false;
};

Index &index()
{
    static Index state;
    if (!state.watcher) { // first use, or a new application
        state = Index();
        auto *watcher = new QFutureWatcher<EntryIcons>(QCoreApplication::instance());
        QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher] {
            if (watcher->future().resultCount() > 0)
                index().icons = watcher->result();
            index().ready = true;
        });
        watcher->setFuture(readInBackground());
        state.watcher = watcher;
    }
    return state;
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
        icon = named(index().icons.value(name));
    return icon;
}

void show(QObject *context, const std::function<void()> &setIcons)
{
    setIcons();
    if (!index().ready)
        QObject::connect(index().watcher, &QFutureWatcherBase::finished, context, setIcons, Qt::SingleShotConnection);
}

} // namespace ProgramIcons
