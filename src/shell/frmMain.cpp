#include "frmMain.h"

#include "MainMenus.h"
#include "MainToolbar.h"
#include "Rooms.h"
#include "SidePanel.h"
#include "Startup.h"
#include "core/Addresses.h"
#include "core/ProcessLauncher.h"
#include "core/Prompts.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"
#include "document/DocumentArea.h"
#include "document/DocumentCommands.h"
#include "document/DocumentWindows.h"
#include "document/Room.h"
#include "document/RoomAnchors.h"
#include "document/frmDocument.h"
#include "frmAbout.h"
#include "frmTip.h"
#include "platform/Images.h"
#include "platform/PanelPage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

const QString Caption = QStringLiteral("Vantorel II");


} // namespace

frmMain::frmMain(const AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_settings(*context.settings), m_mdi(new DocumentArea),
      m_documents(new DocumentWindows(m_mdi, *context.browsers, context.programFolder,
                                      context.profileFolder + QLatin1Char('/') + VisitedPages::FileName, this)),
      m_commands(new DocumentCommands(*m_documents, m_mdi, m_documents->arranger(), *context.prompts, this)),
      m_subsystems(context),
      m_toolbar1(new QToolBar), m_placement(*context.settings)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Caption);
    // One drawn picture: the vector icon would be drawn at four sizes for the window system.
    setWindowIcon(QIcon(Images::pixmap(context.programFolder, QStringLiteral("vantorel"), QSize(64, 64))));

    // Qt's own menu of toolbars would hide the toolbar without the View menu knowing.
    setContextMenuPolicy(Qt::NoContextMenu);
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    addToolBar(m_toolbar1);
    m_toolbar = new MainToolbar(m_toolbar1, context.programFolder);
    m_menus = new MainMenus(*m_documents, m_mdi, m_commands, menuBar());
    connectMenus();
    connectToolbar();
    m_commands->addShortcuts(this);
    connect(m_documents, &DocumentWindows::opened, this,
            [this](frmDocument *document) { connect(document, &frmDocument::homeRequested, this, &frmMain::goHome); });
    connect(m_documents, &DocumentWindows::activeCommandsChanged, m_menus, &MainMenus::showCommandStates);
    // Where the toolbar's hints and the rooms' short notes show.
    statusBar()->setObjectName(QStringLiteral("sbMain"));
    m_subsystems.documents = m_documents;
    m_subsystems.note = [this](const QString &text) { statusBar()->showMessage(text, 5000); };
    m_subsystems.showPage = [this](const QString &pageId, bool focus) { showPage(pageId, focus); };
    m_rooms = Rooms::make(m_subsystems, this);
    buildPanel();
    installRooms();
    buildLayout();
    setTabbed(m_settings.isOn(SettingKeys::TabbedDocuments));
}

// Windows closing with the main window must not reach back into it.
frmMain::~frmMain()
{
    disconnect(m_mdi, nullptr, this, nullptr);
    disconnect(m_documents, nullptr, nullptr, nullptr);
    for (frmDocument *document : m_documents->documents())
        disconnect(document, nullptr, this, nullptr);
}

void frmMain::buildPanel()
{
    m_list = new SidePanel(m_rooms);
    connect(m_list, &SidePanel::hideRequested, this, [this] { setListPressed(false); });
    // However the button changes (a click, a key, an assistive tool), the panel follows.
    connect(m_toolbar->list, &QAction::toggled, m_list, &QWidget::setVisible);
}

void frmMain::installRooms()
{
    // The menus fill in their own places.
    m_anchors.window = this;
    m_anchors.pageButtons = m_toolbar->pageButtons();
    m_anchors.toolButtons = m_toolbar->toolButtons();
    m_anchors.rooms = m_rooms;
    m_menus->placeRooms(m_anchors);
    for (Room *room : std::as_const(m_rooms))
        room->install(m_anchors);
}

void frmMain::addRoom(Room *room)
{
    room->setParent(this);
    m_rooms.append(room);
    m_anchors.rooms = m_rooms;
    room->install(m_anchors);
    room->load();
}

// The side panel to the left of the document windows.
void frmMain::buildLayout()
{
    auto *central = new QWidget;
    auto *row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_list);
    row->addWidget(m_mdi, 1);
    setCentralWidget(central);
    connect(m_mdi, &DocumentArea::currentChanged, this, &frmMain::updateCaption);
}

void frmMain::connectMenus()
{
    const std::pair<QAction *, void (frmMain::*)()> items[] = {
        {m_menus->mnuFileNew, &frmMain::mnuFileNew_Click},
        {m_menus->mnuFileClose, &frmMain::CloseDoc},
        {m_menus->mnuFileExit, &frmMain::mnuFileExit_Click},
        {m_menus->mnuViewToolbar, &frmMain::mnuViewToolbar_Click},
        {m_menus->mnuViewToolbarString, &frmMain::mnuViewToolbarString_Click},
        {m_menus->mnuViewTabbed, &frmMain::mnuViewTabbed_Click},
        {m_menus->mnuToolsIEOptions, &frmMain::mnuToolsIEOptions_Click},
        {m_menus->mnuToolsProfileFolder, &frmMain::mnuToolsProfileFolder_Click},
        {m_menus->mnuToolsDownloads, &frmMain::mnuToolsDownloads_Click},
        {m_menus->mnuWindowNewWindow, &frmMain::mnuFileNew_Click},
        {m_menus->mnuHelpShowtip, &frmMain::mnuHelpShowtip_Click},
        {m_menus->mnuHelpAbout, &frmMain::mnuHelpAbout_Click},
    };
    for (const auto &[item, handler] : items)
        connect(item, &QAction::triggered, this, handler);
}

void frmMain::connectToolbar()
{
    const auto bbs = [this] { m_documents->navigateActive(Addresses::helpPage(m_context.programFolder, Addresses::ReportSection)); };
    const auto update = [this] { m_documents->navigateActive(Addresses::helpPage(m_context.programFolder, Addresses::UpdateSection)); };
    const std::pair<QAction *, std::function<void()>> buttons[] = {
        {m_toolbar->newWindow, [this] { newWindowFromToolbar(); }},
        {m_toolbar->closeWindow, [this] { CloseDoc(); }},
        {m_toolbar->open, [this] { m_commands->mnuFileOpen_Click(); }},
        {m_toolbar->save, [this] { m_commands->mnuFileSaveAs_Click(); }},
        {m_toolbar->print, [this] { m_commands->mnuFilePrint_Click(); }},
        {m_toolbar->copy, [this] { m_commands->mnuEditCopy_Click(); }},
        {m_toolbar->find, [this] { m_commands->mnuEditFind_Click(); }},
        {m_toolbar->home, [this] { goHome(); }},
        {m_toolbar->bbs, bbs},
        {m_toolbar->update, update},
    };
    for (const auto &[button, command] : buttons)
        connect(button, &QAction::triggered, this, command);
}

void frmMain::Form_Load(const QString &commandLine)
{
    m_placement.restore(*this);
    setListPressed(m_settings.isOn(SettingKeys::ShowList));
    m_list->restoreWidth(m_settings, width());
    for (Room *room : std::as_const(m_rooms))
        room->load();
    m_list->tabs_Click();
    frmDocument *first = LoadNewDoc();
    first->showMaximized();
    navigateFirstPage(commandLine);
}

void frmMain::navigateFirstPage(const QString &commandLine)
{
    frmDocument *document = activeDocument();
    if (!document)
        return;
    if (!commandLine.contains(QLatin1String("-nohome"))) {
        const QString given = Startup::requestedAddress(commandLine);
        if (given.isEmpty())
            navigateHome(*document->web());
        else
            document->web()->navigate(given);
        return;
    }
    const QString address = Startup::firstPage(commandLine, m_settings);
    // The box must not hold up the first page, which needs this thread as much as the
    // box does: it shows when the page is there, or after a second at most. A page
    // complete before the window existed reports so within navigate().
    auto shown = std::make_shared<bool>(false);
    const auto showAddress = [this, address, shown] {
        if (!std::exchange(*shown, true))
            m_context.prompts->notify(this, address, AppTitle);
    };
    connect(document->web(), &BrowserControl::DocumentComplete, this, showAddress,
            Qt::ConnectionType(Qt::SingleShotConnection | Qt::QueuedConnection));
    document->web()->navigate(address);
    QTimer::singleShot(1000, this, showAddress);
}

frmDocument *frmMain::LoadNewDoc() { return m_documents->LoadNewDoc(); }

void frmMain::CloseDoc() { m_documents->CloseDoc(); }
frmDocument *frmMain::activeDocument() const { return m_documents->activeDocument(); }
qint32 frmMain::DocCount() const { return m_documents->DocCount(); }

void frmMain::MotherButton_Click(const QString &key) { m_toolbar->run(key); }

void frmMain::openRequested(const QString &address)
{
    frmDocument *created = LoadNewDoc();
    if (address.isEmpty())
        navigateHome(*created->web());
    else
        created->web()->navigate(address);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void frmMain::newWindowFromToolbar()
{
    frmDocument *created = LoadNewDoc();
    const int choice = m_settings.numberOrDefault(SettingKeys::NWindowWithHomepage);
    if (choice == 1)
        navigateHome(*created->web());
    else if (choice == 0)
        created->web()->navigate(Addresses::NewWindowPage);
    created->focusAddress();
}

void frmMain::goHome()
{
    if (frmDocument *document = activeDocument())
        navigateHome(*document->web());
}

// "IE Homepage" stands for the control's own start page.
void frmMain::navigateHome(BrowserControl &web)
{
    const QString home = m_settings.text(SettingKeys::Homepage);
    if (home == Addresses::IEHomepage)
        web.goHome();
    else
        web.navigate(home);
}

void frmMain::showPage(const QString &pageId, bool focus)
{
    setListPressed(true);
    m_list->showPage(pageId);
    if (PanelPage *page = focus ? m_list->page(pageId) : nullptr)
        page->takeFocus();
}

// A new window has nothing to show yet: the address box waits for the user's address.
void frmMain::mnuFileNew_Click() { LoadNewDoc()->focusAddress(); }
void frmMain::mnuFileExit_Click() { close(); }

void frmMain::mnuViewToolbar_Click()
{
    const bool shown = m_menus->mnuViewToolbar->isChecked();
    m_toolbar1->setVisible(shown);
    m_menus->mnuViewToolbarString->setEnabled(shown);
}

void frmMain::mnuViewToolbarString_Click()
{
    m_toolbar->setCaptionsShown(m_menus->mnuViewToolbarString->isChecked());
}

void frmMain::mnuViewTabbed_Click()
{
    const bool tabbed = m_menus->mnuViewTabbed->isChecked();
    setTabbed(tabbed);
    m_settings.setOrReport(SettingKeys::TabbedDocuments, SettingKey::stored(tabbed), *m_context.prompts, this);
}

void frmMain::setTabbed(bool tabbed)
{
    m_menus->mnuViewTabbed->setChecked(tabbed);
    m_mdi->setTabbed(tabbed);
}

void frmMain::mnuToolsIEOptions_Click()
{
    if (QDialog *dialog = m_context.browsers->createProfileDialog(this)) {
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    }
}

void frmMain::mnuToolsProfileFolder_Click()
{
    QString error;
    if (!m_context.launcher->startDetached(QStringLiteral("xdg-open"), {m_context.profileFolder}, &error))
        m_context.prompts->message(this, QStringLiteral("无法打开配置文件夹 %1：%2").arg(m_context.profileFolder, error),
                                   AppTitle, Prompts::Warning);
}

void frmMain::mnuToolsDownloads_Click() { m_context.browsers->showDownloads(m_mdi); }

void frmMain::mnuHelpShowtip_Click()
{
    m_settings.setOrReport(SettingKeys::ShowTips, SettingKey::stored(true), *m_context.prompts, this,
                           m_context.tipsApplication);
    frmTip tip(m_context, this);
    if (tip.Form_Load())
        tip.exec();
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(m_context.programFolder, this);
    about.exec();
}

bool frmMain::listPressed() const { return m_toolbar->list->isChecked(); }

void frmMain::setListPressed(bool pressed)
{
    keepPanelPlace(false);
    m_toolbar->list->setChecked(pressed);
    m_list->setVisible(pressed);
}

// While kept, the panel's place stays its own when it is hidden: the documents beside it
// do not move when it shows.
void frmMain::keepPanelPlace(bool kept)
{
    QSizePolicy policy = m_list->sizePolicy();
    policy.setRetainSizeWhenHidden(kept);
    m_list->setSizePolicy(policy);
}

void frmMain::showFirst()
{
    frmDocument *first = activeDocument();
    if (first && m_list->isVisibleTo(this)) {
        keepPanelPlace(true);
        m_list->hide();
        // After the handlers that show the title; a choice made meanwhile stands.
        const auto reveal = [this] {
            QTimer::singleShot(0, this, [this] {
                if (m_list->sizePolicy().retainSizeWhenHidden())
                    setListPressed(listPressed());
            });
        };
        connect(first->web(), &BrowserControl::TitleChange, this, reveal, Qt::SingleShotConnection);
        connect(first->web(), &BrowserControl::DocumentComplete, this, reveal, Qt::SingleShotConnection);
        QTimer::singleShot(500, this, reveal);
    }
    show();
}

void frmMain::updateCaption()
{
    setWindowTitle(m_mdi->currentFills() ? QStringLiteral("%1 - [%2]").arg(Caption, activeDocument()->windowTitle())
                                         : Caption);
}

// One write, and one message for the lot when it fails.
void frmMain::saveState()
{
    QString why;
    if (m_settings.transaction([this] {
            m_placement.save(*this);
            m_settings.setOn(SettingKeys::ShowList, listPressed());
            m_settings.setNumber(SettingKeys::ListWidth, m_list->widthTwips());
        }, &why))
        return;
    m_context.prompts->message(this, SettingsStore::failureText(why), AppTitle, Prompts::Critical);
}

// Quitting would drop the partial files of running downloads without a word.
bool frmMain::mayQuit()
{
    return m_context.browsers->runningDownloads() == 0
        || m_context.prompts->message(this, QStringLiteral("有下载正在进行，确定要退出吗？"), AppTitle,
                                      Prompts::Question, Prompts::Yes | Prompts::No)
               == Prompts::Yes;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!mayQuit()) {
        event->ignore();
        return;
    }
    if (!isMinimized())
        saveState();
    m_mdi->closeAllSubWindows();
    for (Room *room : std::as_const(m_rooms))
        room->unload();
    event->accept();
    emit closed();
}
