#include "core/ProfileFolder.h"
#include "core/StepTimes.h"
#include "platform/RenderingChoice.h"
#include "platform/SandboxCheck.h"
#include "shell/RunningCopy.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QtPlugin>

#include <cstdio>

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
    const QString commandLine = Startup::commandLine(arguments, QApplication::arguments());
    // Before the engine: a start that the running copy takes over ends at once.
    RunningCopy copy(RunningCopy::nameFor(ProfileFolder::defaultPath()));
    switch (copy.handOver(Startup::requestedAddress(commandLine))) {
    case RunningCopy::Outcome::HandedOver:
        return 0;
    case RunningCopy::Outcome::Silent:
        std::fprintf(stderr, "%s\n", QStringLiteral("Vantorel 已在运行，但没有应答；请先结束它。").toLocal8Bit().constData());
        return 1;
    case RunningCopy::Outcome::Reachable:
        break;
    }
    if (!SandboxCheck::engineCanStart(arguments))
        return 1;
    return Startup::run(app, commandLine, copy);
}
