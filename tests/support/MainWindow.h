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

class MainMenus;
class MainToolbar;
class QAction;
class QMdiArea;
class QToolBar;
class SidePanel;

// The main window's parts, found as a user finds them: by what they are and their names.
MainMenus *menusOf(const frmMain &main);
MainToolbar *toolbarOf(const frmMain &main);
QToolBar *toolbarWidget(const frmMain &main);
SidePanel *panelOf(const frmMain &main);
QMdiArea *areaOf(const frmMain &main);
QList<frmDocument *> documentsOf(const frmMain &main);
// The menu item or toolbar button of that name.
QAction *action(const frmMain &main, const QString &name);
// The main toolbar's button of that key, whoever put it there.
QAction *toolbarButton(const frmMain &main, const QString &key);
// Whether the toolbar's list button is down; a click on it when it should change.
bool listPressed(const frmMain &main);
void setListPressed(const frmMain &main, bool pressed);
class PanelPage;
PanelPage *pagesOf(const frmMain &main, const QString &id);
// The room's page of the panel, built if it was not yet.
template<typename Page>
Page *pageOf(const frmMain &main)
{
    return static_cast<Page *>(pagesOf(main, Page::Id));
}
