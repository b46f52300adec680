#include "BrowseFolder.h"

#include "Prompts.h"

#include <QDir>

QString BrowseFolder(Prompts &prompts, QWidget *owner, const QString &title)
{
    const QString chosen = prompts.folder(owner, title, QDir::rootPath());
    if (chosen.isEmpty())
        return QString();
    return QDir::cleanPath(chosen);
}
