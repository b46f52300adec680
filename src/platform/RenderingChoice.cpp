#include "RenderingChoice.h"

#include <QDir>

namespace RenderingChoice {

bool gpuAbsent(const QString &driFolder)
{
    return QDir(driFolder).entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files).isEmpty();
}

bool chooseBackend(const QString &driFolder)
{
    if (!gpuAbsent(driFolder))
        return false;
    // Loading the emulated OpenGL (the CPU rasterizer and its compiler) costs more
    // than a tenth of a second and tens of MiB, for a context nothing draws with.
    const bool chosen = !qEnvironmentVariableIsSet("QT_QUICK_BACKEND");
    if (chosen)
        qputenv("QT_QUICK_BACKEND", "software");
    if (qgetenv("QT_QUICK_BACKEND") == "software" && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    return chosen;
}

} // namespace RenderingChoice
