#include "RenderingChoice.h"

#include <QDir>

namespace RenderingChoice {

bool gpuAbsent(const QString &driFolder)
{
    return QDir(driFolder).entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files).isEmpty();
}

bool chooseBackend(const QString &driFolder)
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || !gpuAbsent(driFolder))
        return false;
    qputenv("QT_QUICK_BACKEND", "software");
    return true;
}

} // namespace RenderingChoice
