#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The web engine will not start as root with its sandbox on, and ends the process
// without a word where the user cannot see its log. Asked before the engine starts.
namespace SandboxCheck {

// Why the engine would refuse to start, or the empty text when it will start.
QString refusal(bool root, const QProcessEnvironment &environment, const QStringList &arguments);
// Tells the user why, on stderr and in a message box, and returns false when it would refuse.
bool engineCanStart(const QStringList &arguments);

} // namespace SandboxCheck
