#include "SidePanel.h"

#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"
#include "platform/PanelLayout.h"

#include <QTabWidget>

using namespace PanelLayout;

namespace {

constexpr int WidthStep = 120;
constexpr int HelpTab = 6;
constexpr int ToolsTab = 5;

} // namespace

SidePanel::SidePanel(const QList<Page> &pages, BrowserFactory &browsers, const QString &helpFile, QWidget *parent)
    : QWidget(parent), tabs(named(new QTabWidget, "tabs")), m_browsers(browsers), m_helpFile(helpFile)
{
    setObjectName(QStringLiteral("list"));
    QVBoxLayout *layout = column(this, 0);
    buildPanelButtons();

    // The strip's own frame takes 60 twips around its pages.
    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, RightGap, 0);
    strip->addWidget(tabs);
    layout->addLayout(strip, 1);

    // Six captions do not fit a narrow panel; scroll rather than squeeze them.
    tabs->setUsesScrollButtons(true);
    for (const Page &page : pages)
        addPage(page.widget, page.caption);
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

void SidePanel::addPage(QWidget *page, const QString &caption)
{
    page->setObjectName(QStringLiteral("PIC%1").arg(tabs->count() + 1));
    tabs->addTab(page, caption);
}

void SidePanel::buildHelpPage()
{
    auto *page = new QWidget;
    addPage(page, QStringLiteral("系统帮助"));
    cmdHelpHomepage = fixedButton("cmdHelpHomepage", QStringLiteral("回到顶部"), 1095);
    connect(cmdHelpHomepage, &QPushButton::clicked, this, &SidePanel::cmdHelpHomepage_Click);
    m_helpLayout = column(page, 0);
    m_helpLayout->addLayout(buttonRow({cmdHelpHomepage}));
}

// A browser control starts a renderer; nobody should wait for one at start-up
// that only the help page needs.
BrowserControl *SidePanel::webhelp()
{
    if (!m_helpBrowser) {
        m_helpBrowser = m_browsers.createBrowser(tabs->widget(tabs->count() - 1));
        m_helpBrowser->setObjectName(QStringLiteral("webhelp"));
        m_helpLayout->addWidget(m_helpBrowser, 1);
    }
    return m_helpBrowser;
}

void SidePanel::setWidthTwips(int twips)
{
    m_widthTwips = qMax(0, twips);
    setFixedWidth(m_widthTwips / Twips);
    if (!isVisible())
        return; // laid out when it shows
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
    // The strip itself shows the chosen page and hides the others.
    if (currentTab() == ToolsTab)
        emit localAddressRefreshRequested();
    else if (currentTab() == HelpTab)
        webhelp()->navigate(m_helpFile);
}

void SidePanel::cmdHelpHomepage_Click()
{
    webhelp()->navigate(m_helpFile);
}
