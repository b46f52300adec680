#include "frmMain.h"

#include "HelpPage.h"
#include "MainMenus.h"
#include "MainToolbar.h"
#include "SidePanel.h"
#include "autotext/AutotextPage.h"
#include "bookmarks/BookmarkPage.h"
#include "core/Addresses.h"
#include "core/ProcessLauncher.h"
#include "core/Prompts.h"
#include "core/SettingsStore.h"
#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"
#include "document/DocumentArea.h"
#include "document/DocumentCommands.h"
#include "document/DocumentWindows.h"
#include "document/frmDocument.h"
#include "frmAbout.h"
#include "frmTip.h"
#include "linktools/LinkTools.h"
#include "nettools/MailPage.h"
#include "options/MultimediaSwitches.h"
#include "options/frmOptions.h"
#include "nettools/ToolsPage.h"
#include "platform/Images.h"
#include "search/EngineTree.h"
#include "search/SearchPage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidgetItem>

namespace {

const QString Caption = QStringLiteral("Vantorel II");

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

frmMain::frmMain(const AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_settings(new RunningSettings(*context.settings, this)),
      m_mdi(new DocumentArea), m_documents(new DocumentWindows(m_mdi, *context.browsers, context.programFolder, this)),
      m_commands(new DocumentCommands(*m_documents, m_mdi, *context.prompts, this)),
      m_subsystems{m_documents,           m_settings,           context.prompts, context.launcher,
                   context.browsers,      context.programFolder, context.profileFolder},
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
    connect(m_toolbar, &MainToolbar::clicked, this, &frmMain::MotherButton_Click);
    m_menus = new MainMenus(*m_documents, m_mdi, m_commands, menuBar());
    connectMenus();
    m_commands->addShortcuts(this);
    addKeys();
    // Read before any page is made, so each starts with them.
    m_settings->load();
    connect(m_documents, &DocumentWindows::opened, this, &frmMain::connectDocument);
    m_linkTools = new LinkTools(m_subsystems, m_toolbar->linkMenu(), this);
    using Media = BrowserFactory::Media;
    m_multimedia = new MultimediaSwitches(*context.browsers, *context.settings, *context.prompts,
                                          {{m_menus->mnuViewShowPicture, Media::Pictures, SettingKeys::ShowPicture},
                                           {m_menus->mnuViewPlaySound, Media::Sound, SettingKeys::PlaySound},
                                           {m_menus->mnuViewPlayANI, Media::Animations, SettingKeys::ShowAnimations},
                                           {m_menus->mnuViewPlayVideo, Media::Video, SettingKeys::PlayVideo}},
                                          this);
    connect(m_documents, &DocumentWindows::activeCommandsChanged, m_menus, &MainMenus::showCommandStates);
    // Where the toolbar's hints and the tools' short notes show.
    statusBar()->setObjectName(QStringLiteral("sbMain"));
    m_list = buildPanel();
    buildLayout();
    setTabbed(context.settings->number(SettingKeys::TabbedDocuments) == 1);
}

// Windows closing with the main window must not reach back into it.
frmMain::~frmMain()
{
    disconnect(m_mdi, nullptr, this, nullptr);
    disconnect(m_documents, nullptr, nullptr, nullptr);
    for (frmDocument *document : documents())
        disconnect(document, nullptr, this, nullptr);
}

// Every page of the side panel, in tab order; each subsystem makes its own.
SidePanel *frmMain::buildPanel()
{
    m_searchPage = new SearchPage(m_subsystems);
    m_bookmarkPage = new BookmarkPage(m_subsystems);
    auto *panel = new SidePanel({
        m_searchPage,
        m_bookmarkPage,
        m_autotextPage = new AutotextPage(m_subsystems),
        new MailPage,
        new ToolsPage(m_subsystems),
        new HelpPage(*m_context.browsers, m_context.programFile(QStringLiteral("help.htm"))),
    });
    connect(panel, &SidePanel::hideRequested, this, [this] { setListPressed(false); });
    // However the button changes (a click, a key, an assistive tool), the panel follows.
    connect(m_toolbar->listButton(), &QAction::toggled, panel, &QWidget::setVisible);
    return panel;
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
    const std::pair<const char *, void (frmMain::*)()> items[] = {
        {"mnuFileNew", &frmMain::mnuFileNew_Click},
        {"mnuFileClose", &frmMain::mnuFileClose_Click},
        {"mnuFileSend", &frmMain::mnuFileSend_Click},
        {"mnuFileExit", &frmMain::mnuFileExit_Click},
        {"mnuViewToolbar", &frmMain::mnuViewToolbar_Click},
        {"mnuViewToolbarString", &frmMain::mnuViewToolbarString_Click},
        {"mnuViewTabbed", &frmMain::mnuViewTabbed_Click},
        {"mnuViewOptions", &frmMain::mnuViewOptions_Click},
        {"mnuToolsOptions", &frmMain::mnuViewOptions_Click},
        {"mnuToolsIEOptions", &frmMain::mnuToolsIEOptions_Click},
        {"mnuToolsProfileFolder", &frmMain::mnuToolsProfileFolder_Click},
        {"mnuToolsDownloads", &frmMain::mnuToolsDownloads_Click},
        {"mnuWindowNewWindow", &frmMain::mnuFileNew_Click},
        {"mnuHelpContents", &frmMain::mnuHelpContents_Click},
        {"mnuHelpShowtip", &frmMain::mnuHelpShowtip_Click},
        {"mnuHelpAbout", &frmMain::mnuHelpAbout_Click},
    };
    for (const auto &[name, handler] : items)
        connect(m_menus->item(QLatin1String(name)), &QAction::triggered, this, handler);
}

void frmMain::Form_Load(const QString &commandLine)
{
    m_placement.restore(*this);
    m_multimedia->load();
    setListPressed(m_context.settings->number(SettingKeys::ShowList) != 0);
    m_list->restoreWidth(*m_context.settings, width());
    m_list->tabs_Click();
    frmDocument *first = LoadNewDoc();
    LoadEngine();
    LoadBookmark();
    LoadAutotxt();
    LoadLinkTools();
    m_bookmarkPage->selectFirstNode();
    m_searchPage->engines()->node(1)->setExpanded(true);
    first->showMaximized();
    navigateFirstPage(commandLine);
}

void frmMain::navigateFirstPage(const QString &commandLine)
{
    frmDocument *document = activeDocument();
    if (!document)
        return;
    const QString option = QStringLiteral("-nohome");
    const qsizetype p = commandLine.indexOf(option);
    if (p < 0) {
        navigateHome(*document->Web);
        return;
    }
    // The address is everything after the switch and the one character that follows it.
    QString address = commandLine.mid(p + option.size() + 1);
    if (address.size() >= 2 && address.startsWith(u'"') && address.endsWith(u'"') && address.count(u'"') == 2)
        address = address.mid(1, address.size() - 2); // quoted as typed, for a blank in it
    if (address.isEmpty())
        address = QStringLiteral("about:blank");
    document->Web->navigate(address);
    // The box must not hold up the first page, which needs this thread as much as the
    // box does: it shows when the page is there, or after a second at most.
    auto shown = std::make_shared<bool>(false);
    const auto showAddress = [this, address, shown] {
        if (!std::exchange(*shown, true))
            m_context.prompts->notify(this, address, AppTitle);
    };
    connect(document->Web, &BrowserControl::DocumentComplete, this, showAddress, Qt::SingleShotConnection);
    QTimer::singleShot(1000, this, showAddress);
}

frmDocument *frmMain::LoadNewDoc() { return m_documents->LoadNewDoc(); }

// A document window raises what only the main window can do.
void frmMain::connectDocument(frmDocument *document)
{
    connect(document, &frmDocument::bookmarkRequested, this, &frmMain::btnBookmarkAdd_Click);
    connect(document, &frmDocument::searchRequested, this, &frmMain::searchSelection);
    connect(document, &frmDocument::homeRequested, this, &frmMain::goHome);
}

void frmMain::CloseDoc() { m_documents->CloseDoc(); }
frmDocument *frmMain::activeDocument() const { return m_documents->activeDocument(); }
QList<frmDocument *> frmMain::documents() const { return m_documents->documents(); }
QMdiArea *frmMain::mdiArea() const { return m_mdi; }
qint32 frmMain::DocCount() const { return m_documents->DocCount(); }

EngineTree *frmMain::engines() const { return m_searchPage->engines(); }

void frmMain::MotherButton_Click(const QString &key)
{
    const QHash<QString, std::function<void()>> commands = {
        {QStringLiteral("new"), [this] { newWindowFromToolbar(); }},
        {QStringLiteral("close"), [this] { CloseDoc(); }},
        {QStringLiteral("open"), [this] { m_commands->mnuFileOpen_Click(); }},
        {QStringLiteral("save"), [this] { m_commands->mnuFileSaveAs_Click(); }},
        {QStringLiteral("print"), [this] { m_commands->mnuFilePrint_Click(); }},
        {QStringLiteral("copy"), [this] { m_commands->mnuEditCopy_Click(); }},
        {QStringLiteral("find"), [this] { m_commands->mnuEditFind_Click(); }},
        {QStringLiteral("list"), [this] { m_list->setVisible(listPressed()); }},
        {QStringLiteral("home"), [this] { goHome(); }},
        {QStringLiteral("option"), [this] { mnuViewOptions_Click(); }},
        {QStringLiteral("bookmark"), [this] { showPanelTab(PanelPage::Bookmarks); }},
        {QStringLiteral("bbs"),
         [this] { m_documents->navigateActive(Addresses::helpPage(m_context.programFolder, Addresses::ReportSection)); }},
        {QStringLiteral("update"),
         [this] { m_documents->navigateActive(Addresses::helpPage(m_context.programFolder, Addresses::UpdateSection)); }},
    };
    if (const auto command = commands.value(key))
        command();
}

void frmMain::newWindowFromToolbar()
{
    frmDocument *created = LoadNewDoc();
    const double choice = leadingNumber(m_context.settings->get(SettingKeys::NWindowWithHomepage)).value_or(-1);
    if (choice == 1)
        navigateHome(*created->Web);
    else if (choice == 0)
        created->Web->navigate(Addresses::NewWindowPage);
    created->focusAddress();
}

void frmMain::goHome()
{
    if (frmDocument *document = activeDocument())
        navigateHome(*document->Web);
}

// "IE Homepage" stands for the control's own start page.
void frmMain::navigateHome(BrowserControl &web)
{
    if (Homepage() == Addresses::IEHomepage)
        web.goHome();
    else
        web.navigate(Homepage());
}

void frmMain::showPanelTab(PanelPage::Id page)
{
    setListPressed(true);
    m_list->showPage(page);
}

void frmMain::addKeys()
{
    const std::pair<QKeyCombination, std::function<void()>> keys[] = {
        {Qt::CTRL | Qt::Key_D, [this] { btnBookmarkAdd_Click(); }},
        // The panel's pages by key, the keyboard in their main control.
        {Qt::CTRL | Qt::Key_B, [this] { focusPanelPage(PanelPage::Bookmarks); }},
        {Qt::CTRL | Qt::Key_K, [this] { focusPanelPage(PanelPage::Search); }},
    };
    for (const auto &[key, command] : keys) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(key));
        connect(action, &QAction::triggered, this, command);
        addAction(action);
    }
}

void frmMain::focusPanelPage(PanelPage::Id page)
{
    showPanelTab(page);
    m_list->page(page)->takeFocus();
}

// A new window has nothing to show yet: the address box waits for the user's address.
void frmMain::mnuFileNew_Click() { LoadNewDoc()->focusAddress(); }
void frmMain::mnuFileClose_Click() { MotherButton_Click(QStringLiteral("close")); }
void frmMain::mnuFileSend_Click() { showPanelTab(PanelPage::Mail); }
void frmMain::mnuFileExit_Click() { close(); }
void frmMain::mnuHelpContents_Click() { showPanelTab(PanelPage::Help); }

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
    saveOrReport(*m_context.settings, *m_context.prompts, this, SettingKeys::TabbedDocuments, flag(tabbed));
}

void frmMain::setTabbed(bool tabbed)
{
    m_menus->mnuViewTabbed->setChecked(tabbed);
    m_mdi->setTabbed(tabbed);
}

// The program's own options dialog comes later; until then these do nothing.
void frmMain::mnuViewOptions_Click()
{
    frmOptions options(m_subsystems, *m_linkTools, this);
    options.exec();
}

void frmMain::LoadLinkTools() { m_linkTools->LoadLinkTools(); }

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
    if (!m_context.launcher->startDetached(QStringLiteral("xdg-open"), {m_context.profileFolder}, QString(), &error))
        m_context.prompts->message(this, QStringLiteral("无法打开配置文件夹 %1：%2").arg(m_context.profileFolder, error),
                                   AppTitle, Prompts::Warning);
}

void frmMain::mnuToolsDownloads_Click() { m_context.browsers->showDownloads(mdiArea()); }

void frmMain::mnuWindowCascade_Click() { m_documents->cascade(); }

void frmMain::btnBookmarkAdd_Click() { m_bookmarkPage->btnBookmarkAdd_Click(); }

void frmMain::btnBookmarkEdit_Click() { m_bookmarkPage->btnBookmarkEdit_Click(); }

void frmMain::LoadBookmark() { m_bookmarkPage->LoadBookmark(); }

void frmMain::LoadEngine() { m_searchPage->LoadEngine(); }

void frmMain::LoadAutotxt() { m_autotextPage->LoadAutotxt(); }

void frmMain::searchSelection(const QString &text)
{
    if (!m_searchPage->searchFor(text))
        showPanelTab(PanelPage::Search);
}

void frmMain::mnuHelpShowtip_Click()
{
    saveOrReport(*m_context.settings, *m_context.prompts, this, SettingKeys::ShowTipsWrite, QStringLiteral("1"),
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

bool frmMain::listPressed() const { return m_toolbar->listButton()->isChecked(); }

void frmMain::setListPressed(bool pressed)
{
    m_toolbar->listButton()->setChecked(pressed);
    m_list->setVisible(pressed);
}

void frmMain::updateCaption()
{
    setWindowTitle(m_mdi->currentFills() ? QStringLiteral("%1 - [%2]").arg(Caption, activeDocument()->windowTitle())
                                         : Caption);
}

// One write, and one message for the lot when it fails.
void frmMain::saveState()
{
    SettingsStore &settings = *m_context.settings;
    settings.begin();
    m_placement.save(*this);
    settings.save(SettingKeys::ShowList, flag(listPressed()));
    settings.save(SettingKeys::ListWidth, QString::number(float(m_list->widthTwips())));
    QString why;
    if (settings.commit(&why))
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
    event->accept();
    emit closed();
}
