#pragma once

#include "Named.h"
#include "ScriptedBrowser.h"
#include "ScriptedDocuments.h"
#include "TestApp.h"
#include "core/RunningSettings.h"
#include "document/AppContext.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

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
    RunningSettings &running;
    AppContext context;

    QStringList notes;  // what pages put in the status bar

    QWidget *page = nullptr; // the one shown, or a dialog under test: where field() and press() look

    ScriptedPrompts &prompts() { return app.prompts; }
    // The control of page, or of in, named name; fails the test when there is none.
    template<typename T = QLineEdit>
    T *field(const char *name, QWidget *in = nullptr) const
    {
        return child<T>(in ? in : page, QLatin1String(name));
    }
    // Clicks the button of page, or of in, named name.
    void press(const char *name, QWidget *in = nullptr) const
    {
        QTest::mouseClick(field<QPushButton>(name, in), Qt::LeftButton);
    }
    // Puts shown (which the window then owns) into the window at the panel's width and
    // shows it; false when it never showed.
    bool show(QWidget *shown, int height = 540);
    // A document window that is open and active, as at start-up.
    frmDocument *openDocument();
};
