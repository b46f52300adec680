#include "SidePanel.h"

#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int Twips = 15;
constexpr int WidthStep = 120;
// The panel keeps 60 twips (4 px) right of the tab strip, and the query box as much
// right of the search page's edge; the strip's own frame takes 60 twips around its pages.
constexpr int RightGap = 60 / Twips;
constexpr int RowGap = 4;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *fixedButton(const char *name, const QString &caption, int widthTwips, int heightTwips = 255)
{
    auto *button = named(new QPushButton(caption), name);
    button->setFixedSize(widthTwips / Twips, heightTwips / Twips);
    return button;
}

QVBoxLayout *column(QWidget *page, int spacing)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

// Buttons that sit side by side at their fixed sizes, flush left.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    for (QPushButton *button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

} // namespace

SidePanel::SidePanel(const AppContext &context, QWidget *parent)
    : QWidget(parent), tabs(named(new QTabWidget, "tabs")), m_context(context)
{
    setObjectName(QStringLiteral("list"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildPanelButtons();

    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, RightGap, 0);
    strip->addWidget(tabs);
    layout->addLayout(strip, 1);

    // Six captions do not fit a narrow panel; scroll rather than squeeze them.
    tabs->setUsesScrollButtons(true);
    buildSearchPage();
    buildBookmarkPage();
    buildAutotextPage();
    buildMailPage();
    buildToolsPage();
    buildHelpPage();
    connect(tabs, &QTabWidget::currentChanged, this, &SidePanel::tabs_Click);
    setWidthTwips(3360);
}

void SidePanel::buildPanelButtons()
{
    btnListgetSmaller = fixedButton("btnListgetSmaller", QStringLiteral("<-缩小"), 735);
    btnTurnofflist = fixedButton("btnTurnofflist", QStringLiteral("-隐藏-"), 735);
    btnListgetBigger = fixedButton("btnListgetBigger", QStringLiteral("增大->"), 735);
    static_cast<QVBoxLayout *>(layout())->addLayout(buttonRow({btnListgetSmaller, btnTurnofflist, btnListgetBigger}));
    connect(btnListgetSmaller, &QPushButton::clicked, this, &SidePanel::btnListgetSmaller_Click);
    connect(btnListgetBigger, &QPushButton::clicked, this, &SidePanel::btnListgetBigger_Click);
    connect(btnTurnofflist, &QPushButton::clicked, this, &SidePanel::hideRequested);
}

QWidget *SidePanel::addPage(const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("PIC%1").arg(tabs->count() + 1));
    tabs->addTab(page, caption);
    return page;
}

void SidePanel::buildSearchPage()
{
    QWidget *page = addPage(QStringLiteral("搜索引擎"));
    SearchKey = named(new QComboBox, "SearchKey");
    SearchKey->setEditable(true);
    // The search keeps its own history; Enter must not add items behind its back.
    SearchKey->setInsertPolicy(QComboBox::NoInsert);
    GoSearch = fixedButton("GoSearch", QStringLiteral("开始搜索"), 975);
    cmdRefreshEngines = fixedButton("cmdRefreshEngines", QStringLiteral("刷新"), 975);
    SearchEngine = named(new QTreeWidget, "SearchEngine");
    SearchEngine->setHeaderHidden(true);

    QVBoxLayout *layout = column(page, RowGap);
    auto *keyRow = new QHBoxLayout;
    keyRow->setContentsMargins(0, 0, RightGap, 0);
    keyRow->addWidget(SearchKey);
    layout->addLayout(keyRow);
    layout->addLayout(buttonRow({GoSearch, cmdRefreshEngines}));
    layout->addWidget(SearchEngine, 1);
}

void SidePanel::buildBookmarkPage()
{
    QWidget *page = addPage(QStringLiteral("书签管理"));
    txtURLbk = named(new QLineEdit, "txtURLbk");
    cmdVISIT = fixedButton("cmdVISIT", QStringLiteral("访问"), 615);
    btnBookmarkChange = fixedButton("btnBookmarkChange", QStringLiteral("属性"), 615);
    btnBookmarkAdd = fixedButton("btnBookmarkAdd", QStringLiteral("添加"), 615);
    btnBookmarkDel = fixedButton("btnBookmarkDel", QStringLiteral("删除"), 615);
    btnBookmarkEdit = fixedButton("btnBookmarkEdit", QStringLiteral("管理"), 615);
    btnBookmarkRefresh = fixedButton("btnBookmarkRefresh", QStringLiteral("刷新"), 615);
    Bookmarks = named(new QTreeWidget, "Bookmarks");
    Bookmarks->setHeaderHidden(true);

    QVBoxLayout *layout = column(page, RowGap);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(0);
    addressRow->addWidget(txtURLbk, 1);
    addressRow->addWidget(cmdVISIT);
    layout->addLayout(addressRow);
    layout->addLayout(buttonRow({btnBookmarkChange, btnBookmarkAdd, btnBookmarkDel, btnBookmarkEdit, btnBookmarkRefresh}));
    layout->addWidget(Bookmarks, 1);
}

void SidePanel::buildAutotextPage()
{
    QWidget *page = addPage(QStringLiteral("自动填表"));
    cmdEDITAUTOtxt = fixedButton("cmdEDITAUTOtxt", QStringLiteral("修改选定项"), 1215);
    cmdSendSELECTEDITEM = fixedButton("cmdSendSELECTEDITEM", QStringLiteral("发送选定项"), 1215);
    lstAutotxt = named(new QListWidget, "lstAutotxt");

    QVBoxLayout *layout = column(page, RowGap);
    layout->addLayout(buttonRow({cmdEDITAUTOtxt, cmdSendSELECTEDITEM}));
    layout->addWidget(lstAutotxt, 1);
}

void SidePanel::buildMailPage()
{
    QWidget *page = addPage(QStringLiteral("电子邮件"));
    txtMailTO = named(new QLineEdit(QStringLiteral("收件人地址")), "txtMailTO");
    txtMailSubject = named(new QLineEdit(QStringLiteral("主题")), "txtMailSubject");
    txtMail = named(new QPlainTextEdit(QStringLiteral("邮件正文")), "txtMail");
    cmdMailSend = fixedButton("cmdMailSend", QStringLiteral("发送"), 975);
    cmdMailReset = fixedButton("cmdMailReset", QStringLiteral("重写"), 975);
    StatusTXT = named(new QLabel(QStringLiteral("Winsock状态")), "StatusTXT");

    // No gaps: the buttons start where the body ends and the status line where they end.
    QVBoxLayout *layout = column(page, 0);
    layout->addWidget(txtMailTO);
    layout->addWidget(txtMailSubject);
    layout->addWidget(txtMail, 1);
    layout->addLayout(buttonRow({cmdMailSend, cmdMailReset}));
    layout->addWidget(StatusTXT);
}

void SidePanel::buildToolsPage()
{
    QWidget *page = addPage(QStringLiteral("实用工具"));
    txtLocalIP = named(new QLineEdit(QStringLiteral("本地IP：")), "txtLocalIP");
    IPrefresh = fixedButton("IPrefresh", QStringLiteral("刷新"), 615);
    txtPINGHOST = named(new QLineEdit, "txtPINGHOST");
    cmdPING = fixedButton("cmdPING", QStringLiteral("PING"), 615);
    cmdViewLOCALport = fixedButton("cmdViewLOCALport", QStringLiteral("察看活动连接及端口(NetStat)"), 2895);
    txtCommandOUTPUT = named(new QPlainTextEdit(QStringLiteral("命令输出\n")), "txtCommandOUTPUT");

    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(RowGap);
    grid->addWidget(txtLocalIP, 0, 0);
    grid->addWidget(IPrefresh, 0, 1);
    grid->addWidget(txtPINGHOST, 1, 0);
    grid->addWidget(cmdPING, 1, 1);
    grid->addWidget(cmdViewLOCALport, 2, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(txtCommandOUTPUT, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);
}

void SidePanel::buildHelpPage()
{
    QWidget *page = addPage(QStringLiteral("系统帮助"));
    cmdHelpHomepage = fixedButton("cmdHelpHomepage", QStringLiteral("回到顶部"), 1095);
    webhelp = m_context.browsers->createBrowser(page);
    webhelp->setObjectName(QStringLiteral("webhelp"));
    connect(cmdHelpHomepage, &QPushButton::clicked, this, &SidePanel::cmdHelpHomepage_Click);

    QVBoxLayout *layout = column(page, 0);
    layout->addLayout(buttonRow({cmdHelpHomepage}));
    layout->addWidget(webhelp, 1);
}

void SidePanel::setWidthTwips(int twips)
{
    m_widthTwips = qMax(0, twips);
    setFixedWidth(m_widthTwips / Twips);
    // Lay out now, so the new widths hold before the next event round.
    if (QWidget *owner = parentWidget(); owner && owner->layout())
        owner->layout()->activate();
    layout()->activate();
}

void SidePanel::btnListgetBigger_Click()
{
    setWidthTwips(m_widthTwips + WidthStep);
}

void SidePanel::btnListgetSmaller_Click()
{
    if (m_widthTwips - WidthStep >= 0)
        setWidthTwips(m_widthTwips - WidthStep);
}

void SidePanel::selectTab(int index)
{
    if (index < 1 || index > tabs->count())
        return;
    if (tabs->currentIndex() != index - 1)
        tabs->setCurrentIndex(index - 1); // runs tabs_Click through currentChanged
    else
        tabs_Click();
}

int SidePanel::currentTab() const
{
    return tabs->currentIndex() + 1;
}

void SidePanel::tabs_Click()
{
    // The strip itself shows the chosen page and hides the other five.
    switch (currentTab()) {
    case 5:
        emit localAddressRefreshRequested();
        break;
    case 6:
        webhelp->navigate(helpAddress());
        break;
    default:
        break;
    }
}

void SidePanel::cmdHelpHomepage_Click()
{
    webhelp->navigate(helpAddress());
}

QString SidePanel::helpAddress() const
{
    return m_context.programFile(QStringLiteral("help.htm"));
}
