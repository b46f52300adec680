#include "MainMenus.h"

#include "document/DocumentCommands.h"
#include "document/frmDocument.h"
#include "frmMain.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(frmMain &main, DocumentCommands *commands, QMenuBar *bar)
    : QObject(bar), m_main(main), m_commands(commands), m_bar(bar)
{
    buildFile();
    buildEdit();
    buildView();
    buildTools();
    buildWindow();
    buildHelp();
}

QAction *MainMenus::item(const QString &name) const { return m_bar->findChild<QAction *>(name); }

QMenu *MainMenus::menu(const char *name, const QString &caption)
{
    QMenu *menu = m_bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *MainMenus::add(QMenu *menu, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, m_bar);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    return action;
}

void MainMenus::separator(QMenu *menu, const char *name) { menu->addSeparator()->setObjectName(QLatin1String(name)); }

void MainMenus::buildFile()
{
    QMenu *file = menu("mnuFile", QStringLiteral("文件(&F)"));
    add(file, "mnuFileNew", QStringLiteral("新建(&N)"), &m_main, &frmMain::mnuFileNew_Click, QKeySequence(Qt::CTRL | Qt::Key_N));
    add(file, "mnuFileOpen", QStringLiteral("打开(&O)..."), m_commands, &DocumentCommands::mnuFileOpen_Click,
        QKeySequence(Qt::CTRL | Qt::Key_O));
    add(file, "mnuFileClose", QStringLiteral("关闭(&C)"), &m_main, &frmMain::mnuFileClose_Click);
    separator(file, "mnuFileBar0");
    add(file, "mnuFileSaveAs", QStringLiteral("另存为(&A)..."), m_commands, &DocumentCommands::mnuFileSaveAs_Click);
    separator(file, "mnuFileBar1");
    add(file, "mnuFileProperties", QStringLiteral("属性(&I)"), m_commands, &DocumentCommands::mnuFileProperties_Click);
    separator(file, "mnuFileBar2");
    add(file, "mnuFilePageSetup", QStringLiteral("页面设置(&U)..."), m_commands, &DocumentCommands::mnuFilePageSetup_Click);
    add(file, "mnuFilePrint", QStringLiteral("打印(&P)..."), m_commands, &DocumentCommands::mnuFilePrint_Click);
    separator(file, "mnuFileBar3");
    add(file, "mnuFileSend", QStringLiteral("发送(&D)..."), &m_main, &frmMain::mnuFileSend_Click);
    separator(file, "mnuFileBar4");
    add(file, "mnuFileExit", QStringLiteral("退出(&X)"), &m_main, &frmMain::mnuFileExit_Click);
}

void MainMenus::buildEdit()
{
    QMenu *edit = menu("mnuEdit", QStringLiteral("编辑(&E)"));
    add(edit, "mnuEditback", QStringLiteral("后退(&B)"), m_commands, &DocumentCommands::mnuEditback_Click)
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    add(edit, "MnuEditForward", QStringLiteral("前进(&W)"), m_commands, &DocumentCommands::MnuEditForward_Click)
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    separator(edit, "mnuEditbar5");
    add(edit, "mnuEditRefresh", QStringLiteral("刷新(&R)"), m_commands, &DocumentCommands::mnuEditRefresh_Click, QKeySequence(Qt::Key_F5));
    add(edit, "mnuEditStop", QStringLiteral("停止(&S)"), m_commands, &DocumentCommands::mnuEditStop_Click, QKeySequence(Qt::Key_Escape));
    separator(edit, "mnuEditBar0");
    add(edit, "mnuEditCut", QStringLiteral("剪切(&T)"), m_commands, &DocumentCommands::mnuEditCut_Click, QKeySequence(Qt::CTRL | Qt::Key_X));
    add(edit, "mnuEditCopy", QStringLiteral("复制(&C)"), m_commands, &DocumentCommands::mnuEditCopy_Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    add(edit, "mnuEditPaste", QStringLiteral("粘贴(&P)"), m_commands, &DocumentCommands::mnuEditPaste_Click,
        QKeySequence(Qt::CTRL | Qt::Key_V));
    add(edit, "mnuEditFind", QStringLiteral("查找(&F)"), m_commands, &DocumentCommands::mnuEditFind_Click)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_I), QKeySequence(Qt::CTRL | Qt::Key_F)});
}

void MainMenus::buildView()
{
    QMenu *view = menu("mnuView", QStringLiteral("视图(&V)"));
    mnuViewToolbar = add(view, "mnuViewToolbar", QStringLiteral("母窗口工具栏(&T)"), &m_main, &frmMain::mnuViewToolbar_Click);
    mnuViewToolbarString =
        add(view, "mnuViewToolbarString", QStringLiteral("工具栏文字(&S)"), &m_main, &frmMain::mnuViewToolbarString_Click);
    mnuViewTabbed = add(view, "mnuViewTabbed", QStringLiteral("标签页模式(&B)"), &m_main, &frmMain::mnuViewTabbed_Click);
    separator(view, "mnuViewBar1");
    mnuViewShowPicture = add(view, "mnuViewShowPicture", QStringLiteral("显示图片(&P)"));
    mnuViewPlaySound = add(view, "mnuViewPlaySound", QStringLiteral("播放声音(&M)"));
    mnuViewPlayANI = add(view, "mnuViewPlayANI", QStringLiteral("播放动画(&A)"));
    mnuViewPlayVideo = add(view, "mnuViewPlayVideo", QStringLiteral("播放视频(&V)"));
    separator(view, "mnuViewBar0");
    add(view, "mnuViewOptions", QStringLiteral("选项(&O)..."), &m_main, &frmMain::mnuViewOptions_Click);
    // A click flips the check mark first; the handlers then apply the new state.
    for (QAction *action : {mnuViewToolbar, mnuViewToolbarString, mnuViewTabbed, mnuViewShowPicture,
                            mnuViewPlaySound, mnuViewPlayANI, mnuViewPlayVideo})
        action->setCheckable(true);
    mnuViewToolbar->setChecked(true);
    mnuViewToolbarString->setChecked(true);
}

void MainMenus::buildTools()
{
    QMenu *tools = menu("mnuTools", QStringLiteral("工具(&T)"));
    add(tools, "mnuToolsOptions", QStringLiteral("选项(&O)..."), &m_main, &frmMain::mnuViewOptions_Click);
    add(tools, "mnuToolsIEOptions", QStringLiteral("Internet Explorer选项(&I)"), &m_main, &frmMain::mnuToolsIEOptions_Click);
}

void MainMenus::buildWindow()
{
    mnuWindow = menu("mnuWindow", QStringLiteral("窗口(&W)"));
    add(mnuWindow, "mnuWindowNewWindow", QStringLiteral("新建窗口(&N)"), &m_main, &frmMain::mnuFileNew_Click);
    separator(mnuWindow, "mnuWindowBar0");
    add(mnuWindow, "mnuWindowCascade", QStringLiteral("层叠(&C)"), &m_main, &frmMain::mnuWindowCascade_Click);
    add(mnuWindow, "mnuWindowTileHorizontal", QStringLiteral("横向平铺(&H)"), m_commands, &DocumentCommands::mnuWindowTileHorizontal_Click);
    add(mnuWindow, "mnuWindowTileVertical", QStringLiteral("纵向平铺(&V)"), m_commands, &DocumentCommands::mnuWindowTileVertical_Click);
    add(mnuWindow, "mnuWindowArrangeIcons", QStringLiteral("排列图标(&A)"), m_commands, &DocumentCommands::mnuWindowArrangeIcons_Click);
    connect(mnuWindow, &QMenu::aboutToShow, this, &MainMenus::fillWindowList);
}

// The window list after the fixed items is made anew each time the menu opens.
void MainMenus::fillWindowList()
{
    delete m_windowList;
    m_windowList = new QActionGroup(mnuWindow);
    const QList<QMdiSubWindow *> windows = m_main.mdiArea()->subWindowList(QMdiArea::CreationOrder);
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
        action->setChecked(window == static_cast<QMdiSubWindow *>(m_main.activeDocument()));
        connect(action, &QAction::triggered, window, [this, window] {
            if (window->isMinimized())
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            m_main.mdiArea()->setActiveSubWindow(window);
        });
    }
}

void MainMenus::buildHelp()
{
    QMenu *help = menu("mnuHelp", QStringLiteral("帮助(&H)"));
    add(help, "mnuHelpContents", QStringLiteral("目录(&C)"), &m_main, &frmMain::mnuHelpContents_Click,
        QKeySequence(Qt::Key_F1));
    add(help, "mnuHelpShowtip", QStringLiteral("显示日积月累(&T)"), &m_main, &frmMain::mnuHelpShowtip_Click);
    separator(help, "mnuHelpBar0");
    add(help, "mnuHelpAbout", QStringLiteral("关于(&A) "), &m_main, &frmMain::mnuHelpAbout_Click);
}
