#include "SidePanel.h"

#include "core/RunningSettings.h"
#include "core/SettingKeys.h"
#include "document/Room.h"
#include "platform/PanelPage.h"
#include "platform/PanelLayout.h"
#include "TabRows.h"

#include <QTabBar>
#include <QTabWidget>

using namespace PanelLayout;

namespace {

constexpr int WidthStep = 120;

} // namespace

SidePanel::SidePanel(const QList<Room *> &rooms, QWidget *parent)
    : QWidget(parent), tabs(named(new QTabWidget, "tabs")), m_tabRows(named(new TabRows, "tabRows"))
{
    setObjectName(QStringLiteral("list"));
    QVBoxLayout *layout = column(this, 0);
    buildPanelButtons();

    // The strip's own frame takes 60 twips around its pages. Six captions do not fit one
    // row of a narrow panel, and scroll arrows would hide some: the rows above show them all.
    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, RightGap, 0);
    QVBoxLayout *captions = column(nullptr, 0);
    captions->addWidget(m_tabRows);
    captions->addWidget(tabs, 1);
    strip->addLayout(captions);
    layout->addLayout(strip, 1);
    tabs->tabBar()->hide();
    for (Room *room : rooms) {
        if (!room->hasPage())
            continue;
        // The tabs are PIC1, PIC2, … in order; each holds its page once it is built.
        auto *holder = new QWidget;
        holder->setObjectName(QStringLiteral("PIC%1").arg(tabs->count() + 1));
        column(holder, 0);
        tabs->addTab(holder, room->caption());
        m_tabRows->addTab(room->caption());
        m_rooms.append(room);
        connect(room, &Room::pageBuiltNow, holder, [holder](PanelPage *page) {
            holder->layout()->addWidget(page);
            page->show(); // shown with its tab
        });
    }
    connect(tabs, &QTabWidget::currentChanged, this, &SidePanel::tabs_Click);
    connect(tabs, &QTabWidget::currentChanged, m_tabRows, &TabRows::setCurrentIndex);
    connect(m_tabRows, &TabRows::currentChanged, tabs, &QTabWidget::setCurrentIndex);
    // A click on the tab that shows already is a choice too.
    connect(m_tabRows, &TabRows::tabBarClicked, this, [this](int index) {
        if (index == tabs->currentIndex())
            tabs_Click();
    });
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

void SidePanel::restoreWidth(const RunningSettings &settings, int windowWidth)
{
    // A first start leaves at least two thirds of the window to the documents; a bit
    // more, as the window's frame, unknown before it shows, takes from its width.
    setWidthTwips(settings.contains(SettingKeys::ListWidth)
                      ? settings.numberOrDefault(SettingKeys::ListWidth)
                      : qMin(fittingWidthTwips(), windowWidth * 3 / 10 * Twips));
}

int SidePanel::fittingWidthTwips() const
{
    // All the tabs side by side, on one row.
    const int strip = m_tabRows->sizeHint().width() + RightGap;
    const int buttons = btnListgetSmaller->width() + btnTurnofflist->width() + btnListgetBigger->width();
    return qMax(strip, buttons) * Twips;
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

PanelPage *SidePanel::page(const QString &id) const
{
    for (Room *room : m_rooms)
        if (room->pageId() == id)
            return room->page();
    return nullptr;
}

PanelPage *SidePanel::currentPage() const
{
    const int current = tabs->currentIndex();
    return current < 0 ? nullptr : m_rooms.at(current)->page();
}

void SidePanel::showPage(const QString &id)
{
    for (int i = 0; i < m_rooms.size(); ++i) {
        if (m_rooms.at(i)->pageId() != id)
            continue;
        if (tabs->currentIndex() != i)
            tabs->setCurrentIndex(i); // runs tabs_Click through currentChanged
        else
            tabs_Click();
        return;
    }
}

// The page on show is built by the time the panel shows.
void SidePanel::showEvent(QShowEvent *event)
{
    currentPage();
    QWidget::showEvent(event);
}

// The strip itself shows the chosen page and hides the others.
void SidePanel::tabs_Click()
{
    if (PanelPage *page = currentPage())
        page->chosen();
}
