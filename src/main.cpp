#include "core/StepTimes.h"
#include "platform/RenderingChoice.h"
#include "platform/SandboxCheck.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QtPlugin>

Q_IMPORT_PLUGIN(PngReader)

int main(int argc, char *argv[])
{
    StepTimes::mark("main");
    RenderingChoice::chooseBackend();
    // Before QApplication takes out the options it handles itself.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QApplication app(argc, argv);
    StepTimes::mark("application");
    if (!SandboxCheck::engineCanStart(arguments))
        return 1;
    return Startup::run(app, Startup::commandLine(arguments));
}
