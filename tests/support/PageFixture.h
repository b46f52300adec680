#pragma once

#include "ScriptedBrowser.h"
#include "ScriptedDocuments.h"
#include "TestApp.h"
#include "core/RunningSettings.h"
#include "document/SubsystemContext.h"

#include <QMainWindow>

class DocumentArea;

// What a subsystem's page is built with, without the main window: the folders,
// settings and prompts of a TestApp, running settings read from them, and
// document windows in an area of their own, on scripted browsers unless real
// ones are asked for.
class PageFixture
{
public:
    enum Browsers { Scripted, Real };
    explicit PageFixture(Browsers browsers = Scripted);

    TestApp app;
    ScriptedBrowsers scripted;
    QMainWindow window; // the page at the left, the document area beside it
    DocumentArea *area;
    ScriptedDocuments *documents;
    RunningSettings running;
    SubsystemContext context;

    // Puts page (which the window then owns) into the window at the panel's width and
    // shows it; false when it never showed.
    bool show(QWidget *page, int height = 540);
    // A document window that is open and active, as at start-up.
    frmDocument *openDocument();
};
