#include "frmDocument.h"

#include "AddressCompleter.h"
#include "BrowserControl.h"
#include "BrowserFactory.h"
#include "DocumentHost.h"
#include "core/Addresses.h"
#include "core/Twips.h"
#include "platform/EnterKeyFilter.h"
#include "platform/Images.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

frmDocument::frmDocument(DocumentHost &host, BrowserFactory &browsers, const QString &programFolder,
                         QWidget *parent)
    : QMdiSubWindow(parent), m_host(host), m_programFolder(programFolder)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmDocument"));
    auto *body = new QWidget;
    Web = browsers.createBrowser(body);
    Web->setObjectName(QStringLiteral("Web"));
    sbStatusBar = new QStatusBar;
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(false);
    m_popupBlocked = new QLabel(QStringLiteral("已阻止弹出窗口"));
    m_popupBlocked->setObjectName(QStringLiteral("lblPopupBlocked"));
    m_popupBlocked->setToolTip(QStringLiteral("网页想自行打开一个窗口。要允许，请在“菜单”中选择“允许此网站的弹出窗口”。"));
    m_popupBlocked->hide();
    sbStatusBar->addPermanentWidget(m_popupBlocked);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(buildTopStrip());
    buildToolbar();
    top->addWidget(tbrMDIchild);
    top->addStretch();

    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(Web, 1);
    layout->addWidget(sbStatusBar);
    setWidget(body);
    setWindowIcon(Images::icon(programFolder, QStringLiteral("earth")));
    resize(640, 480);
    connectBrowser();
}

// The address box and the progress frame share one place; at most one shows.
QWidget *frmDocument::buildTopStrip()
{
    auto *strip = new QWidget;
    Combo = new QComboBox(strip);
    Combo->setObjectName(QStringLiteral("Combo"));
    Combo->setEditable(true);
    Combo->setInsertPolicy(QComboBox::NoInsert);
    Combo->setGeometry(0, 0, 5415 / Twips, 315 / Twips);
    Combo->hide();
    Frame1 = new QGroupBox(QStringLiteral("下载进度（按下停止按钮停止下载，显示地址栏）"), strip);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFlat(true);
    Progress = new QProgressBar;
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setTextVisible(false);
    Progress->setFixedHeight(135 / Twips);
    // The bar below the caption, whatever height the caption's font gives it.
    auto *bar = new QVBoxLayout(Frame1);
    bar->setContentsMargins(60 / Twips, 0, 55 / Twips, 60 / Twips);
    bar->addWidget(Progress);
    const int height = qMax(375 / Twips, Frame1->sizeHint().height());
    Frame1->setGeometry(0, 0, 5415 / Twips, height);
    Frame1->hide();
    // Its size where there is room; in a narrow window it gives way rather than push the
    // document past its area.
    auto *room = new QHBoxLayout(strip);
    room->setContentsMargins(0, 0, 0, 0);
    room->addItem(new QSpacerItem(5415 / Twips, height, QSizePolicy::Preferred, QSizePolicy::Fixed));
    strip->setMaximumWidth(5415 / Twips);
    // A click on the progress shows the address, as the frame's caption says.
    Frame1->installEventFilter(this);
    Progress->installEventFilter(this);
    // The box, not its edit field, has the focus and receives the keys.
    new EnterKeyFilter(Combo, [this] { Combo_KeyPress(); });
    if (const AddressSuggestions *suggestions = m_host.addressSuggestions())
        new AddressCompleter(Combo, *suggestions, [this](const QString &address) { openSuggestion(address); });
    return strip;
}

void frmDocument::buildToolbar()
{
    tbrMDIchild = new QToolBar;
    tbrMDIchild->setObjectName(QStringLiteral("tbrMDIchild"));
    tbrMDIchild->setIconSize(QSize(16, 16));
    const auto button = [this](const char *key, const char *image, const QString &text) {
        QAction *action = tbrMDIchild->addAction(Images::icon(m_programFolder, QLatin1String(image)), text);
        action->setObjectName(QLatin1String(key));
        return action;
    };
    m_back = button("back", "back", QStringLiteral("后退"));
    connect(m_back, &QAction::triggered, this, [this] { Web->goBack(); });
    connect(button("refresh", "refresh", QStringLiteral("刷新")), &QAction::triggered, this, [this] { Web->refresh(); });
    m_forward = button("forward", "forward", QStringLiteral("前进"));
    connect(m_forward, &QAction::triggered, this, [this] { Web->goForward(); });
    m_stop = button("stop", "stop", QStringLiteral("停止"));
    connect(m_stop, &QAction::triggered, this, [this] {
        Web->stop();
        Frame1->hide();
        setShowCombo(true);
    });

    m_menu = new QMenu(this);
    const auto item = [this](const char *name, const QString &caption, const std::function<void()> &command) {
        QAction *action = m_menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, command);
    };
    item("mnuNewWindow", QStringLiteral("新建窗口(&N)"), [this] { m_host.LoadNewDoc()->focusAddress(); });
    item("mnuCloseWindow", QStringLiteral("关闭窗口(&C)"), [this] { m_host.CloseDoc(); });
    m_menu->addSeparator();
    item("mnuOpenHomepage", QStringLiteral("访问主页(&H)"), [this] { emit homeRequested(); });
    item("mnuVisitHalbrek", QStringLiteral("访问Halbrek(&S)"), [this] { Web->navigate(Addresses::helpPage(m_programFolder)); });
    m_allowPopups = m_menu->addAction(QStringLiteral("允许此网站的弹出窗口"));
    m_allowPopups->setObjectName(QStringLiteral("mnuAllowPopups"));
    m_allowPopups->setVisible(false);
    connect(m_allowPopups, &QAction::triggered, this, [this] {
        Web->allowPopups();
        showPopupBlocked(false);
    });

    m_menuButton = button("menu", "menu", QStringLiteral("菜单"));
    m_menuButton->setMenu(m_menu);
    if (auto *tool = qobject_cast<QToolButton *>(tbrMDIchild->widgetForAction(m_menuButton)))
        tool->setPopupMode(QToolButton::InstantPopup);
    // The address box gives way first; the buttons stay whole rather than hide behind "»".
    tbrMDIchild->setMinimumWidth(tbrMDIchild->sizeHint().width());
}

void frmDocument::connectBrowser()
{
    connect(Web, &BrowserControl::StatusTextChange, sbStatusBar, [this](const QString &text) {
        sbStatusBar->showMessage(text);
    });
    connect(Web, &BrowserControl::ProgressChange, this, &frmDocument::Web_ProgressChange);
    connect(Web, &BrowserControl::PopupBlocked, this, [this] { showPopupBlocked(true); });
    connect(Web, &BrowserControl::DownloadBegin, this, [this] {
        showPopupBlocked(false); // a block is told for the page it happened on
        // Someone typing an address keeps the box.
        if (Combo->hasFocus())
            return;
        setShowCombo(false);
        Frame1->show();
    });
    connect(Web, &BrowserControl::DownloadComplete, this, [this] {
        Frame1->hide();
        setShowCombo(true);
    });
    connect(Web, &BrowserControl::TitleChange, this, &QWidget::setWindowTitle);
    connect(Web, &BrowserControl::DocumentComplete, this, &frmDocument::addAddress);
    connect(Web, &BrowserControl::CommandStateChange, this, &frmDocument::Web_CommandStateChange);
    Web_CommandStateChange();
    Web->setNewWindowHandler([this] { return Web_NewWindow2(); });
}

void frmDocument::Navigate(const QString &url)
{
    Web->navigate(url);
    Combo->setEditText(url);
}

void frmDocument::setShowCombo(bool show)
{
    ShowCombo = show;
    Combo->setVisible(show);
}

void frmDocument::addAddress(const QString &address)
{
    Combo->insertItem(0, Images::icon(m_programFolder, QStringLiteral("earth")), address);
    Combo->setCurrentIndex(0);
    // Where the address begins tells the site; the end of a long one does not.
    if (!Combo->hasFocus())
        Combo->lineEdit()->setCursorPosition(0);
}

// The keys go to the page that is coming, as browsers do, and the progress shows.
void frmDocument::Combo_KeyPress()
{
    const QString text = Combo->currentText();
    Web->takeFocus();
    Web->navigate(text);
    addAddress(text);
}

// As if the address had been typed and Enter pressed.
void frmDocument::openSuggestion(const QString &address)
{
    Combo->setEditText(address);
    Combo_KeyPress();
}

void frmDocument::Web_ProgressChange(int progress, int progressMax)
{
    if (progressMax <= 0 || progress < 0 || progress > progressMax)
        return;
    Progress->setMaximum(progressMax);
    Progress->setValue(progress);
}

BrowserControl *frmDocument::Web_NewWindow2()
{
    frmDocument *document = m_host.pageWindow();
    return document ? document->Web : nullptr;
}

void frmDocument::Web_CommandStateChange()
{
    m_back->setEnabled(Web->canGoBack());
    m_forward->setEnabled(Web->canGoForward());
    m_stop->setEnabled(Web->isLoading());
}

void frmDocument::showPopupBlocked(bool blocked)
{
    m_popupBlocked->setVisible(blocked);
    m_allowPopups->setVisible(blocked);
}

void frmDocument::addEntry(Documents::WindowPlace place, QAction *entry)
{
    if (place == Documents::WindowPlace::Menu) {
        m_menu->addAction(entry);
        return;
    }
    tbrMDIchild->insertAction(m_menuButton, entry);
    tbrMDIchild->setMinimumWidth(tbrMDIchild->sizeHint().width());
}

bool frmDocument::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Frame1 || watched == Progress) && event->type() == QEvent::MouseButtonPress) {
        focusAddress();
        return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void frmDocument::focusAddress()
{
    Frame1->hide();
    setShowCombo(true);
    Combo->setFocus();
    Combo->lineEdit()->selectAll();
}
