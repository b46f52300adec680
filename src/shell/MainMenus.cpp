#include "MainMenus.h"

#include "document/DocumentCommands.h"
#include "document/BrowserControl.h"
#include "document/Documents.h"
#include "document/frmDocument.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(Documents &documents, QMdiArea *area, DocumentCommands *commands, QMenuBar *bar)
    : QObject(bar), m_documents(documents), m_area(area), m_commands(commands), m_bar(bar)
{
    buildFile();
    buildEdit();
    buildView();
    buildTools();
    buildWindow();
    buildHelp();
    showCommandStates();
}

void MainMenus::placeRooms(RoomAnchors &anchors) const
{
    anchors.fileMenu = EntryPlace(mnuFile, mnuFileBar4);
    anchors.viewSwitches = EntryPlace(mnuView, mnuViewBar0);
    anchors.viewMenu = EntryPlace(mnuView, nullptr);
    anchors.toolsMenu = EntryPlace(mnuTools, mnuToolsIEOptions);
    anchors.windowMenu = EntryPlace(mnuWindow, nullptr);
    anchors.helpMenu = EntryPlace(mnuHelp, mnuHelpShowtip);
}

void MainMenus::showCommandStates()
{
    const frmDocument *active = m_documents.activeDocument();
    mnuEditback->setEnabled(active && active->web()->canGoBack());
    MnuEditForward->setEnabled(active && active->web()->canGoForward());
    mnuEditStop->setEnabled(active && active->web()->isLoading());
}

QMenu *MainMenus::menu(const char *name, const QString &caption)
{
    QMenu *menu = m_bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *MainMenus::add(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, m_bar);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

QAction *MainMenus::add(QMenu *menu, const char *name, const QString &caption, void (DocumentCommands::*handler)(),
                        const QKeySequence &shortcut)
{
    QAction *action = add(menu, name, caption, shortcut);
    connect(action, &QAction::triggered, m_commands, handler);
    return action;
}

QAction *MainMenus::separator(QMenu *menu, const char *name)
{
    QAction *line = menu->addSeparator();
    line->setObjectName(QLatin1String(name));
    return line;
}

void MainMenus::buildFile()
{
    QMenu *file = mnuFile = menu("mnuFile", QStringLiteral("文件(&F)"));
    mnuFileNew = add(file, "mnuFileNew", QStringLiteral("新建(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N));
    add(file, "mnuFileOpen", QStringLiteral("打开(&O)..."), &DocumentCommands::mnuFileOpen_Click,
        QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileClose = add(file, "mnuFileClose", QStringLiteral("关闭(&C)"), QKeySequence(Qt::CTRL | Qt::Key_W));
    separator(file, "mnuFileBar0");
    add(file, "mnuFileSaveAs", QStringLiteral("另存为(&A)..."), &DocumentCommands::mnuFileSaveAs_Click);
    separator(file, "mnuFileBar1");
    add(file, "mnuFileProperties", QStringLiteral("属性(&I)"), &DocumentCommands::mnuFileProperties_Click);
    separator(file, "mnuFileBar2");
    add(file, "mnuFilePageSetup", QStringLiteral("页面设置(&U)..."), &DocumentCommands::mnuFilePageSetup_Click);
    add(file, "mnuFilePrint", QStringLiteral("打印(&P)..."), &DocumentCommands::mnuFilePrint_Click);
    separator(file, "mnuFileBar3");
    mnuFileBar4 = separator(file, "mnuFileBar4");
    mnuFileExit = add(file, "mnuFileExit", QStringLiteral("退出(&X)"));
}

void MainMenus::buildEdit()
{
    QMenu *edit = menu("mnuEdit", QStringLiteral("编辑(&E)"));
    mnuEditback = add(edit, "mnuEditback", QStringLiteral("后退(&B)"), &DocumentCommands::mnuEditback_Click,
                      QKeySequence(Qt::ALT | Qt::Key_Left));
    MnuEditForward = add(edit, "MnuEditForward", QStringLiteral("前进(&W)"), &DocumentCommands::MnuEditForward_Click,
                         QKeySequence(Qt::ALT | Qt::Key_Right));
    separator(edit, "mnuEditbar5");
    add(edit, "mnuEditRefresh", QStringLiteral("刷新(&R)"), &DocumentCommands::mnuEditRefresh_Click, QKeySequence(Qt::Key_F5));
    mnuEditStop = add(edit, "mnuEditStop", QStringLiteral("停止(&S)"), &DocumentCommands::mnuEditStop_Click, QKeySequence(Qt::Key_Escape));
    separator(edit, "mnuEditBar0");
    add(edit, "mnuEditCut", QStringLiteral("剪切(&T)"), &DocumentCommands::mnuEditCut_Click, QKeySequence(Qt::CTRL | Qt::Key_X));
    add(edit, "mnuEditCopy", QStringLiteral("复制(&C)"), &DocumentCommands::mnuEditCopy_Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    add(edit, "mnuEditPaste", QStringLiteral("粘贴(&P)"), &DocumentCommands::mnuEditPaste_Click,
        QKeySequence(Qt::CTRL | Qt::Key_V));
    add(edit, "mnuEditFind", QStringLiteral("查找(&F)"), &DocumentCommands::mnuEditFind_Click)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_I), QKeySequence(Qt::CTRL | Qt::Key_F)});
}

void MainMenus::buildView()
{
    QMenu *view = mnuView = menu("mnuView", QStringLiteral("视图(&V)"));
    mnuViewToolbar = add(view, "mnuViewToolbar", QStringLiteral("母窗口工具栏(&T)"));
    mnuViewToolbarString =
        add(view, "mnuViewToolbarString", QStringLiteral("工具栏文字(&S)"));
    mnuViewTabbed = add(view, "mnuViewTabbed", QStringLiteral("标签页模式(&B)"));
    separator(view, "mnuViewBar1");
    // The media switches go here, brought by the room that keeps them.
    mnuViewBar0 = separator(view, "mnuViewBar0");
    // A click flips the check mark first; the handlers then apply the new state.
    for (QAction *action : {mnuViewToolbar, mnuViewToolbarString, mnuViewTabbed})
        action->setCheckable(true);
    mnuViewToolbar->setChecked(true);
    mnuViewToolbarString->setChecked(true);
}

void MainMenus::buildTools()
{
    QMenu *tools = mnuTools = menu("mnuTools", QStringLiteral("工具(&T)"));
    mnuToolsIEOptions = add(tools, "mnuToolsIEOptions", QStringLiteral("Internet选项(&I)"));
    mnuToolsProfileFolder = add(tools, "mnuToolsProfileFolder", QStringLiteral("打开配置文件夹"));
    mnuToolsDownloads = add(tools, "mnuToolsDownloads", QStringLiteral("下载(&D)"), QKeySequence(Qt::CTRL | Qt::Key_J));
}

void MainMenus::buildWindow()
{
    mnuWindow = menu("mnuWindow", QStringLiteral("窗口(&W)"));
    mnuWindowNewWindow = add(mnuWindow, "mnuWindowNewWindow", QStringLiteral("新建窗口(&N)"));
    separator(mnuWindow, "mnuWindowBar0");
    add(mnuWindow, "mnuWindowCascade", QStringLiteral("层叠(&C)"), &DocumentCommands::mnuWindowCascade_Click);
    add(mnuWindow, "mnuWindowTileHorizontal", QStringLiteral("横向平铺(&H)"), &DocumentCommands::mnuWindowTileHorizontal_Click);
    add(mnuWindow, "mnuWindowTileVertical", QStringLiteral("纵向平铺(&V)"), &DocumentCommands::mnuWindowTileVertical_Click);
    add(mnuWindow, "mnuWindowArrangeIcons", QStringLiteral("排列图标(&A)"), &DocumentCommands::mnuWindowArrangeIcons_Click);
    connect(mnuWindow, &QMenu::aboutToShow, this, &MainMenus::fillWindowList);
}

// The window list after the fixed items is made anew each time the menu opens.
void MainMenus::fillWindowList()
{
    delete m_windowList;
    m_windowList = new QActionGroup(mnuWindow);
    const QList<QMdiSubWindow *> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    auto *line = new QAction(m_windowList);
    line->setSeparator(true);
    mnuWindow->addAction(line);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString caption = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                      : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        auto *action = new QAction(caption, m_windowList);
        mnuWindow->addAction(action);
        action->setObjectName(QStringLiteral("mnuWindowList"));
        action->setCheckable(true);
        action->setChecked(window == static_cast<QMdiSubWindow *>(m_documents.activeDocument()));
        connect(action, &QAction::triggered, window, [this, window] {
            if (window->isMinimized())
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            m_area->setActiveSubWindow(window);
        });
    }
}

void MainMenus::buildHelp()
{
    QMenu *help = mnuHelp = menu("mnuHelp", QStringLiteral("帮助(&H)"));
    mnuHelpShowtip = add(help, "mnuHelpShowtip", QStringLiteral("显示日积月累(&T)"));
    separator(help, "mnuHelpBar0");
    mnuHelpAbout = add(help, "mnuHelpAbout", QStringLiteral("关于(&A) "));
}
