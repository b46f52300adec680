#pragma once

#include "shell/frmMain.h"

#include <memory>

class TestApp;

// The main window loaded on about:blank through "-nohome" and shown at a desktop
// size, once the box that shows that address has come and been put aside; null
// when it never came.
std::unique_ptr<frmMain> startMainWindow(TestApp &app, QSize size = QSize(1000, 700));
