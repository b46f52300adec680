#include "MainWindow.h"

#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"

#include <QComboBox>
#include <QTest>

std::unique_ptr<frmMain> startMainWindow(TestApp &app, QSize size, const QString &arguments)
{
    auto main = std::make_unique<frmMain>(app.context);
    main->Form_Load(QStringLiteral("vantorel ") + arguments);
    main->resize(size);
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get()))
        return nullptr;
    if (arguments.contains(QLatin1String("-nohome"))) {
        if (!QTest::qWaitFor([&] { return !app.prompts.messages.isEmpty(); }))
            return nullptr;
        app.prompts.messages.clear();
    }
    return main;
}

frmDocument *openDocument(frmMain &main, const QString &address, const QString &title)
{
    frmDocument *document = main.LoadNewDoc();
    document->Web->navigate(address);
    // The title comes with the head; the address joins the box once the page is complete.
    const bool shown = QTest::qWaitFor(
        [&] { return document->windowTitle() == title && document->Combo->count() > 0; }, 10000);
    return shown ? document : nullptr;
}
