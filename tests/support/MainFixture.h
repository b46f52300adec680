#pragma once

#include "MainWindow.h"
#include "Named.h"
#include "TestApp.h"
#include "shell/frmMain.h"

class frmDocument;

// A main window on a TestApp of its own, with the real engine and no start-up
// (no home page, no box): a test opens the pages it needs.
class MainFixture
{
public:
    MainFixture();

    TestApp app;
    frmMain main;

    // A page with that title, in UTF-8.
    static QByteArray titled(const QByteArray &title, const QByteArray &body = {});
    // A script that titles its page "ready" once the page has the focus and has been drawn
    // since: keys that come sooner may be dropped by the engine.
    static QByteArray readyForKeys();
    // Opens address in a new document window and waits until it shows title and has
    // completed; null when it never did.
    frmDocument *open(const QString &address, const QString &title);
    // Writes a page of that title as <title>.htm into the program folder and opens it.
    frmDocument *openPage(const QString &title, const QByteArray &body = {});
};
