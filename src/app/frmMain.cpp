#include "frmMain.h"

#include "Addresses.h"
#include "Images.h"
#include "MainMenus.h"
#include "MainToolbar.h"
#include "Prompts.h"
#include "SettingsStore.h"
#include "SidePanel.h"
#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"
#include "document/DocumentCommands.h"
#include "document/frmDocument.h"
#include "frmAbout.h"
#include "frmTip.h"
#include "search/EngineTree.h"
#include "search/MultiSearch.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMessageBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidgetItem>
#include <cmath>

namespace {

constexpr int Twips = 15;
const QString Caption = QStringLiteral("Vantorel II");

} // namespace

frmMain::frmMain(const AppContext &context, QWidget *parent)
    : QMainWindow(parent), Timer1(new QTimer(this)), Timer2(new QTimer(this)), list(new SidePanel(context)),
      Toolbar1(new QToolBar), m_context(context), m_mdi(new QMdiArea),
      m_commands(new DocumentCommands(*this, m_mdi, *context.prompts, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Caption);
    setWindowIcon(Images::icon(context.programFolder, QStringLiteral("vantorel")));
    Timer1->setSingleShot(true);
    Timer2->setSingleShot(true);

    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    addToolBar(Toolbar1);
    m_toolbar = new MainToolbar(Toolbar1, context.programFolder);
    connect(m_toolbar, &MainToolbar::clicked, this, &frmMain::MotherButton_Click);
    m_menus = new MainMenus(*this, m_commands, menuBar());
    buildShortcuts();
    buildLayout();
    connectPanel();
    setTabbed(context.settings->number(AppTitle, QStringLiteral("Settings"), QStringLiteral("TabbedDocuments"), 0) == 1);
}

// Windows closing with the main window must not reach back into it.
frmMain::~frmMain()
{
    disconnect(m_mdi, nullptr, this, nullptr);
    for (frmDocument *document : documents())
        disconnect(document, nullptr, this, nullptr);
}

// The side panel to the left of the document windows.
void frmMain::buildLayout()
{
    m_mdi->setObjectName(QStringLiteral("mdi"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setTabsClosable(true);
    m_mdi->setTabsMovable(true);
    auto *central = new QWidget;
    auto *row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(list);
    row->addWidget(m_mdi, 1);
    setCentralWidget(central);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (auto *document = qobject_cast<frmDocument *>(window))
            m_current = document;
        updateCaption();
    });
}

void frmMain::connectPanel()
{
    connect(list, &SidePanel::hideRequested, this, [this] { setListPressed(false); });
    connect(m_toolbar->listButton(), &QAction::toggled, list, &QWidget::setVisible);
    m_engines = new EngineTree(list->SearchEngine, m_context.programFolder, this);
    m_search =
        new MultiSearch(*this, *m_engines, list->SearchKey, *m_context.prompts, m_context.programFolder, this);
    connect(list->GoSearch, &QPushButton::clicked, m_search, &MultiSearch::GoSearch_Click);
    connect(list->cmdRefreshEngines, &QPushButton::clicked, m_engines, &EngineTree::cmdRefreshEngines_Click);
    connect(list, &SidePanel::localAddressRefreshRequested, this, &frmMain::IPrefresh_Click);
    connect(list->IPrefresh, &QPushButton::clicked, this, &frmMain::IPrefresh_Click);
}

// Keys browser users expect beyond the menu shortcuts.
void frmMain::buildShortcuts()
{
    const auto shortcut = [this](const QList<QKeySequence> &keys, void (DocumentCommands::*handler)()) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, m_commands, handler);
        addAction(action);
    };
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &DocumentCommands::zoomIn);
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &DocumentCommands::zoomOut);
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_0)}, &DocumentCommands::zoomReset);
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D)}, &DocumentCommands::focusAddress);
    // Ctrl+W is the document window's own close key (QKeySequence::Close).
}

double frmMain::setting(const char *key, double defaultValue) const
{
    return m_context.settings->number(AppTitle, QStringLiteral("Settings"), QLatin1String(key), defaultValue);
}

void frmMain::Form_Load(const QString &commandLine)
{
    loadGeometry();
    loadSettings();
    Timer1->setInterval(int(PingTime));
    Timer2->setInterval(int(NetStatTime));
    setListPressed(setting("ShowList", 1) != 0);
    list->setWidthTwips(int(setting("ListWidth", 3360)));
    list->tabs_Click();
    frmDocument *first = LoadNewDoc();
    LoadEngine();
    m_engines->node(1)->setExpanded(true);
    first->showMaximized();
    navigateFirstPage(commandLine);
}

void frmMain::loadGeometry()
{
    m_geometryTwips = {setting("MainLeft", 1000), setting("MainTop", 1000), setting("MainWidth", 6500),
                       setting("MainHeight", 6500)};
    m_appliedGeometry = QRect(int(m_geometryTwips[0] / Twips), int(m_geometryTwips[1] / Twips),
                              int(m_geometryTwips[2] / Twips), int(m_geometryTwips[3] / Twips));
    move(m_appliedGeometry.topLeft());
    resize(m_appliedGeometry.size());
}

void frmMain::loadSettings()
{
    SettingsStore &store = *m_context.settings;
    const QString email = QStringLiteral("Email");
    SmtpServer = store.get(AppTitle, email, QStringLiteral("SMTP"));
    UserName = store.get(AppTitle, email, QStringLiteral("Username"));
    MyEmail = store.get(AppTitle, email, QStringLiteral("MyEmail"));
    PingTime = setting("PingTime", 5000);
    NetStatTime = setting("NetStatTime", 10000);
    ClickBookmark = qint32(std::lround(setting("ClickBookmark", 0)));
    const auto multimedia = [&store](const char *key) {
        return store.number(AppTitle, QStringLiteral("Multimedia"), QLatin1String(key), 1) == 1;
    };
    m_menus->mnuViewPlayANI->setChecked(multimedia("ShowANI"));
    m_menus->mnuViewShowPicture->setChecked(multimedia("ShowPicture"));
    m_menus->mnuViewPlaySound->setChecked(multimedia("PlaySound"));
    m_menus->mnuViewPlayVideo->setChecked(multimedia("PlayVideo"));
    // Read even when the command line names the first page, so "home" still works.
    Homepage = store.get(AppTitle, QStringLiteral("Settings"), QStringLiteral("Homepage"), Addresses::DefaultHomepage);
}

void frmMain::navigateFirstPage(const QString &commandLine)
{
    frmDocument *document = activeDocument();
    if (!document)
        return;
    const QString option = QStringLiteral("-nohome");
    const qsizetype p = commandLine.indexOf(option);
    if (p >= 0) {
        // The address is everything after the switch and the one character that follows it.
        QString address = commandLine.mid(p + option.size() + 1);
        if (address.isEmpty())
            address = QStringLiteral("about:blank");
        // The box must not hold up the first page.
        m_context.prompts->notify(this, address, AppTitle);
        document->Web->navigate(address);
        return;
    }
    document->Web->navigate(Homepage);
}

frmDocument *frmMain::LoadNewDoc()
{
    ++DocCount;
    auto *document = new frmDocument(*this, m_context);
    document->setWindowTitle(QStringLiteral("Web Document %1").arg(DocCount));
    connect(document, &QMdiSubWindow::windowStateChanged, this, &frmMain::updateCaption);
    connect(document, &QWidget::windowTitleChanged, this, &frmMain::updateCaption);
    // The area reports the change of active window while the closing one still stands.
    connect(document, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &frmMain::updateCaption); });
    m_mdi->addSubWindow(document);
    document->show();
    m_mdi->setActiveSubWindow(document);
    m_current = document;
    return document;
}

void frmMain::CloseDoc()
{
    if (frmDocument *active = activeDocument())
        active->close();
}

// Tracked here rather than asked of the area, which answers null while the
// application is inactive or the area not yet shown.
frmDocument *frmMain::activeDocument() const
{
    if (m_current && !m_current->isHidden())
        return m_current;
    return qobject_cast<frmDocument *>(m_mdi->currentSubWindow());
}

QList<frmDocument *> frmMain::documents() const
{
    QList<frmDocument *> result;
    for (QMdiSubWindow *window : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto *document = qobject_cast<frmDocument *>(window))
            result.append(document);
    return result;
}

void frmMain::MotherButton_Click(const QString &key)
{
    if (key == QLatin1String("new")) {
        frmDocument *created = LoadNewDoc();
        const QString choice = m_context.settings->get(AppTitle, QStringLiteral("Settings"),
                                                       QStringLiteral("NWindowWithHomepage"), QStringLiteral("0"));
        const double value = leadingNumber(choice).value_or(-1);
        if (value == 1)
            created->Web->navigate(Homepage);
        else if (value == 0)
            created->Web->navigate(Addresses::NewWindowPage);
    } else if (key == QLatin1String("close")) {
        CloseDoc();
    } else if (key == QLatin1String("open")) {
        m_commands->mnuFileOpen_Click();
    } else if (key == QLatin1String("save")) {
        m_commands->mnuFileSaveAs_Click();
    } else if (key == QLatin1String("print")) {
        m_commands->mnuFilePrint_Click();
    } else if (key == QLatin1String("copy")) {
        m_commands->mnuEditCopy_Click();
    } else if (key == QLatin1String("find")) {
        m_commands->mnuEditFind_Click();
    } else if (key == QLatin1String("list")) {
        list->setVisible(listPressed());
    } else if (key == QLatin1String("home")) {
        if (Homepage == Addresses::IEHomepage) {
            if (frmDocument *document = activeDocument())
                document->Web->goHome();
        } else {
            navigateActive(Homepage);
        }
    } else if (key == QLatin1String("bookmark")) {
        showPanelTab(2);
    } else if (key == QLatin1String("bbs")) {
        navigateActive(Addresses::Forum);
    } else if (key == QLatin1String("update")) {
        navigateActive(Addresses::MakerSite);
    }
}

void frmMain::navigateActive(const QString &address)
{
    if (frmDocument *document = activeDocument())
        document->Web->navigate(address);
}

void frmMain::showPanelTab(int tab)
{
    setListPressed(true);
    list->selectTab(tab);
}

void frmMain::mnuFileNew_Click() { LoadNewDoc(); }
void frmMain::mnuFileClose_Click() { MotherButton_Click(QStringLiteral("close")); }
void frmMain::mnuFileSend_Click() { showPanelTab(5); }
void frmMain::mnuFileExit_Click() { close(); }
void frmMain::mnuHelpContents_Click() { showPanelTab(6); }

void frmMain::mnuViewToolbar_Click()
{
    const bool shown = m_menus->mnuViewToolbar->isChecked();
    Toolbar1->setVisible(shown);
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
    m_context.settings->save(AppTitle, QStringLiteral("Settings"), QStringLiteral("TabbedDocuments"),
                             tabbed ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmMain::setTabbed(bool tabbed)
{
    m_menus->mnuViewTabbed->setChecked(tabbed);
    m_mdi->setViewMode(tabbed ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    updateCaption();
}

// The program's own options dialog comes later; until then these do nothing.
void frmMain::mnuViewOptions_Click() {}

void frmMain::mnuToolsIEOptions_Click()
{
    if (QDialog *dialog = m_context.browsers->createProfileDialog(this)) {
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    }
}

void frmMain::mnuWindowCascade_Click() { m_commands->mnuWindowCascade_Click(); }

void frmMain::btnBookmarkAdd_Click() {}

void frmMain::LoadEngine() { m_engines->LoadEngine(); }

// The local address is looked up by the network tools, which come later.
void frmMain::IPrefresh_Click() {}

void frmMain::searchSelection(const QString &text)
{
    list->SearchKey->setEditText(text);
    if (m_search->hasTickedEngines())
        m_search->GoSearch_Click();
    else
        showPanelTab(1);
}

void frmMain::mnuHelpShowtip_Click()
{
    m_context.settings->save(m_context.tipsApplication, QStringLiteral("Options"), QStringLiteral("ShowTips"),
                             QStringLiteral("1"));
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
    list->setVisible(pressed);
}

void frmMain::updateCaption()
{
    frmDocument *document = activeDocument();
    const bool filling = document && (document->isMaximized() || m_mdi->viewMode() == QMdiArea::TabbedView);
    if (filling)
        setWindowTitle(QStringLiteral("%1 - [%2]").arg(Caption, document->windowTitle()));
    else
        setWindowTitle(Caption);
}

void frmMain::saveState()
{
    SettingsStore &store = *m_context.settings;
    const QString section = QStringLiteral("Settings");
    // Pixels are coarser than twips: an unmoved window keeps the twips it was given.
    const QRect now(pos(), size());
    const std::array<double, 4> twips = now == m_appliedGeometry
                                            ? m_geometryTwips
                                            : std::array<double, 4>{double(now.x() * Twips), double(now.y() * Twips),
                                                                    double(now.width() * Twips),
                                                                    double(now.height() * Twips)};
    const char *keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i)
        store.save(AppTitle, section, QLatin1String(keys[i]), QString::number(float(twips[i])));
    store.save(AppTitle, section, QStringLiteral("ShowList"), listPressed() ? QStringLiteral("1") : QStringLiteral("0"));
    store.save(AppTitle, section, QStringLiteral("ListWidth"), QString::number(float(list->widthTwips())));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Quitting would drop the partial files without a word.
    if (m_context.browsers->runningDownloads() > 0
        && m_context.prompts->message(this, QStringLiteral("有下载正在进行，确定要退出吗？"), AppTitle,
                                      QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    if (!isMinimized())
        saveState();
    m_mdi->closeAllSubWindows();
    event->accept();
    emit closed();
}
