#include "Named.h"
#include "MainWindow.h"

#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/DocumentArea.h"
#include "document/frmDocument.h"
#include "shell/MainMenus.h"
#include "shell/MainToolbar.h"
#include "shell/SidePanel.h"
#include "platform/PanelPage.h"

#include <QAction>
#include <QComboBox>
#include <QToolBar>
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
    document->web()->navigate(address);
    // The title comes with the head; the address joins the box once the page is complete.
    const bool shown = QTest::qWaitFor(
        [&] { return document->windowTitle() == title && child<QComboBox>(document, QStringLiteral("Combo"))->count() > 0; }, 10000);
    return shown ? document : nullptr;
}

MainMenus *menusOf(const frmMain &main) { return main.findChild<MainMenus *>(); }
MainToolbar *toolbarOf(const frmMain &main) { return main.findChild<MainToolbar *>(); }
QToolBar *toolbarWidget(const frmMain &main) { return child<QToolBar>(&main, QStringLiteral("Toolbar1")); }
SidePanel *panelOf(const frmMain &main) { return child<SidePanel>(&main, QStringLiteral("list")); }
QMdiArea *areaOf(const frmMain &main) { return main.findChild<DocumentArea *>(); }
QList<frmDocument *> documentsOf(const frmMain &main) { return main.findChild<DocumentArea *>()->documents(); }
QAction *action(const frmMain &main, const QString &name) { return child<QAction>(&main, name); }

QAction *toolbarButton(const frmMain &main, const QString &key)
{
    for (QAction *button : toolbarWidget(main)->actions())
        if (button->objectName() == key)
            return button;
    return nullptr;
}
bool listPressed(const frmMain &main) { return action(main, QStringLiteral("list"))->isChecked(); }

void setListPressed(const frmMain &main, bool pressed)
{
    if (listPressed(main) != pressed)
        action(main, QStringLiteral("list"))->trigger();
}

PanelPage *pagesOf(const frmMain &main, const QString &id) { return panelOf(main)->page(id); }
