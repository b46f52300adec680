#pragma once

#include <QIcon>
#include <QString>

// The icon the desktop shows for a program: the icon theme's icon of its name, or
// the icon of the desktop entry (applications/*.desktop) that starts it.
namespace ProgramIcons {

// A null icon when the desktop has none.
QIcon forProgram(const QString &path);

} // namespace ProgramIcons
