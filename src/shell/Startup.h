#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QApplication;
class WebEngineEnvironment;
class RunningSettings;
class frmMain;
class frmSplash;
struct AppContext;

// The program's entry: splash, main window, tip of the day, then the event loop.
namespace Startup {

void installTranslations(QApplication &app);
// Main window load under the splash, which it then closes; tip of the day (waits for
// it); then shows the main window. Without a splash given, it shows its own.
std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine, frmSplash *splash = nullptr);
// The address the main window's load opens first: the one after "-nohome", else the home page.
QString firstPage(const QString &commandLine, const RunningSettings &settings);
// The first page's load starts, with what the rooms set up first (the stored media
// switches among it), before any window is built.
void startFirstPage(WebEngineEnvironment &web, const AppContext &context, const QString &commandLine);
// commandLine is the program's arguments as commandLine() joins them.
int run(QApplication &app, const QString &commandLine);
// The command line as typed: the arguments joined by blanks, one that holds a
// blank in double quotes.
QString commandLine(const QStringList &arguments);

} // namespace Startup
