#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class QObject;

// The icon the desktop shows for a program: the icon theme's icon of its name, or
// the icon of the desktop entry (applications/*.desktop) that starts it. The
// desktop entries are read once, off the GUI thread, when an icon is first asked for.
namespace ProgramIcons {

// A null icon when the desktop has none, or while the entries are still being read.
QIcon forProgram(const QString &path);

// Calls setIcons now and, if the entries are still being read, once more when
// they are, unless context is gone by then.
void show(QObject *context, const std::function<void()> &setIcons);

} // namespace ProgramIcons
