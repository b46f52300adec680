#include "MainWindow.h"

#include "TestApp.h"

#include <QTest>

std::unique_ptr<frmMain> startMainWindow(TestApp &app, QSize size)
{
    auto main = std::make_unique<frmMain>(app.context);
    main->Form_Load(QStringLiteral("vantorel -nohome about:blank"));
    main->resize(size);
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get())
        || !QTest::qWaitFor([&] { return !app.prompts.messages.isEmpty(); }))
        return nullptr;
    app.prompts.messages.clear();
    return main;
}
