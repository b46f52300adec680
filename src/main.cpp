#include "platform/RenderingChoice.h"
#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    RenderingChoice::chooseBackend();
    QApplication app(argc, argv);
    return Startup::run(app);
}
