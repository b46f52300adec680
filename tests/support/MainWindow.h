#pragma once

#include "shell/frmMain.h"

#include <memory>

class TestApp;

inline constexpr QSize DesktopSize(1000, 700);

// The main window loaded as the program starts it, with arguments, and shown at a
// desktop size; with "-nohome", once the box that shows the address has come and
// been put aside. Null when that box never came.
std::unique_ptr<frmMain> startMainWindow(TestApp &app, QSize size = DesktopSize,
                                         const QString &arguments = QStringLiteral("-nohome about:blank"));

// Opens address in a new document window of main and waits until it shows title and
// has completed; null when it never did.
frmDocument *openDocument(frmMain &main, const QString &address, const QString &title);
