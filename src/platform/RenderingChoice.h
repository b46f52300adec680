#pragma once

#include <QString>

// Without a GPU, Qt Quick's OpenGL path is emulated on the CPU and every repaint
// of the window costs a full software-GL composition; the software scene graph
// draws web pages far more cheaply there. A backend the user chose is kept.
namespace RenderingChoice {

// True when no GPU render node is present under driFolder.
bool gpuAbsent(const QString &driFolder = QStringLiteral("/dev/dri"));
// Call before the first window is made. Returns true when it chose software.
// Software drawing without a GPU needs no OpenGL at all: the window system's
// OpenGL is then not loaded, unless the user chose an integration.
bool chooseBackend(const QString &driFolder = QStringLiteral("/dev/dri"));

} // namespace RenderingChoice
