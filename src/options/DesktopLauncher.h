#pragma once

#include <QString>

// A freedesktop launcher "Vantorel II.desktop" that starts the program.
namespace DesktopLauncher {

// The user's desktop folder: the one xdg-user-dirs names, else ~/Desktop.
QString desktopFolder();
// The Exec field for a program path: quoted as the desktop-entry rules want, so
// blanks and other reserved characters in the path do no harm.
QString execField(const QString &program);
// Writes the launcher into folder, executable by its owner, and returns its path.
// Empty when it could not be written; error then says why.
QString write(const QString &folder, const QString &program, const QString &icon, QString *error);

} // namespace DesktopLauncher
