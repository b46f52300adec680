#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QApplication;
class WebEngineEnvironment;
class RunningSettings;
class RunningCopy;
class frmMain;
struct AppContext;

// The program's entry: splash, main window, tip of the day, then the event loop.
namespace Startup {

void installTranslations(QApplication &app);
// Main window load under a splash, which it then closes; tip of the day (waits for
// it); then shows the main window. loaded runs once the main window has loaded,
// before the tip of the day. run() takes the same steps from the event loop.
std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine,
                                const std::function<void(frmMain &)> &loaded = {});
// The address a start asks for: the one after "-nohome" (about:blank for none), else a
// plain argument (a file's path made whole against the current folder) when no option
// comes with it; empty for none.
QString requestedAddress(const QString &commandLine);
// The address the main window's load opens first: the requested one, else the home page.
QString firstPage(const QString &commandLine, const RunningSettings &settings);
// The first page's load starts, with what the rooms set up first (the stored media
// switches among it), before any window is built.
void startFirstPage(WebEngineEnvironment &web, const AppContext &context, const QString &commandLine);
// commandLine is the program's arguments as commandLine() joins them; copy is
// reachable by later starts, and their addresses open in the main window.
int run(QApplication &app, const QString &commandLine, RunningCopy &copy);
// The command line as typed: the arguments joined by blanks, one that holds a
// blank in double quotes.
QString commandLine(const QStringList &arguments);
// The command line as typed when it holds "-nohome", whose address is all that follows
// it; else the one of the arguments Qt left, without its own options (-style fusion).
QString commandLine(const QStringList &typed, const QStringList &left);

} // namespace Startup
