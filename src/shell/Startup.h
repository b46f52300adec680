#pragma once

#include <QImage>
#include <QString>

#include <memory>

class QApplication;
class frmMain;
struct AppContext;

// The program's entry: splash, main window, tip of the day, then the event loop.
namespace Startup {

void installTranslations(QApplication &app);
// Splash, main window load, tip of the day (waits for it), then shows the main window.
// Without a splash picture given, it is read from the program folder.
std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine, const QImage &splashPicture = {});
int run(QApplication &app);

} // namespace Startup
