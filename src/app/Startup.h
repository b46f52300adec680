#pragma once

class QApplication;

// The program's entry: splash, main window, tip of the day, then the event loop.
namespace Startup {

void installTranslations(QApplication &app);
int run(QApplication &app);

} // namespace Startup
