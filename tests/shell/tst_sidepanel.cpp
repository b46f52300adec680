#include "Named.h"
#include "ScriptedBrowser.h"
#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/Room.h"
#include "shell/HelpPage.h"
#include "shell/SidePanel.h"
#include "shell/TabRows.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// A page that counts how often it was chosen.
class CountingPage : public PanelPage
{
public:
    using PanelPage::PanelPage;
    int times = 0;
    void chosen() override { ++times; }
};

// A room that hands the panel the page it was given.
Room *roomOf(PanelPage *page, QObject *owner)
{
    return new Room(page->id(), page->caption(), [page] { return page; }, owner);
}

// A panel of the program's six tabs, shown in window at widthTwips (its fitting width when 0).
SidePanel *sixTabs(QWidget &window, int widthTwips = 0)
{
    QList<Room *> rooms;
    for (const char *caption : {"搜索引擎", "书签管理", "自动填表", "电子邮件", "实用工具", "系统帮助"})
        rooms.append(roomOf(new PanelPage(QLatin1String(caption), QString::fromUtf8(caption)), &window));
    auto *panel = new SidePanel(rooms, &window);
    panel->setWidthTwips(widthTwips ? widthTwips : panel->fittingWidthTwips());
    auto *row = new QHBoxLayout(&window);
    row->addWidget(panel);
    row->addStretch();
    window.resize(1200, 540);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? panel : nullptr;
}

// Every tab shows, its caption whole where the tab has the room, and nothing scrolls.
bool everyTabShows(SidePanel *panel)
{
    auto *rows = child<TabRows>(panel, QStringLiteral("tabRows"));
    QRegion all;
    for (int i = 0; i < rows->count(); ++i) {
        const QRect tab = rows->tabRect(i);
        if (!rows->isVisible() || !rows->rect().contains(tab) || all.intersects(tab)
            || tab.width() < rows->fontMetrics().horizontalAdvance(rows->tabText(i)))
            return false;
        all += tab;
    }
    const QList<QToolButton *> arrows = panel->findChildren<QToolButton *>();
    return std::none_of(arrows.begin(), arrows.end(), [](QToolButton *arrow) { return arrow->isVisible(); });
}

} // namespace

// The side panel: its buttons, its width in twips, and the pages it is given.
class tst_SidePanel : public QObject
{
    Q_OBJECT

private:
    QList<CountingPage *> m_pages;
    std::unique_ptr<QWidget> m_window;
    SidePanel *m_panel = nullptr;

    SidePanel &panel() { return *m_panel; }
    QTabWidget *tabs() { return child<QTabWidget>(m_panel, QStringLiteral("tabs")); }
    TabRows *tabRows() { return child<TabRows>(m_panel, QStringLiteral("tabRows")); }
    void press(const char *name) { QTest::mouseClick(child<QPushButton>(m_panel, QLatin1String(name)), Qt::LeftButton); }
    void show()
    {
        m_window->resize(900, 540);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

private slots:
    void init()
    {
        m_pages.clear();
        m_window = std::make_unique<QWidget>();
        QList<Room *> rooms;
        for (const char *id : {"search", "bookmarks", "autotext", "mail"}) {
            m_pages.append(new CountingPage(QLatin1String(id), QStringLiteral("页") + QLatin1String(id)));
            rooms.append(roomOf(m_pages.last(), m_window.get()));
        }
        rooms.insert(1, new Room(m_window.get())); // a room without a page gets no tab
        m_panel = new SidePanel(rooms, m_window.get());
        auto *row = new QHBoxLayout(m_window.get());
        row->addWidget(m_panel);
        row->addStretch();
    }
    void cleanup() { m_window.reset(); }

    void pagesBecomeNamedTabsInOrder()
    {
        QCOMPARE(panel().objectName(), QStringLiteral("list"));
        QCOMPARE(tabs()->count(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs()->tabText(i), m_pages.at(i)->caption());
            QCOMPARE(tabs()->widget(i)->objectName(), QStringLiteral("PIC%1").arg(i + 1));
        }
        QVERIFY(!m_pages.at(3)->parent()); // built when first asked for, then on its tab
        QCOMPARE(panel().page(QStringLiteral("mail")), m_pages.at(3));
        QVERIFY(tabs()->widget(3)->isAncestorOf(m_pages.at(3)));
        QCOMPARE(panel().page(QStringLiteral("help")), nullptr);
        for (const auto &[name, caption] : {std::pair{"btnListgetSmaller", "<-缩小"}, std::pair{"btnTurnofflist", "-隐藏-"},
                                            std::pair{"btnListgetBigger", "增大->"}})
            QCOMPARE(child<QPushButton>(m_panel, QLatin1String(name))->text(), QString::fromUtf8(caption));
    }

    void widthsFollowTheTwips()
    {
        show();
        QCOMPARE(panel().widthTwips(), 3360);
        QCOMPARE(panel().width(), 224);
        QCOMPARE(tabs()->width(), 220);
        QCOMPARE(m_pages.at(0)->width(), 216);
        QCOMPARE(child<QPushButton>(m_panel, QStringLiteral("btnListgetBigger"))->size(), QSize(49, 17));
        for (int i = 0; i < 3; ++i)
            press("btnListgetBigger");
        QCOMPARE(panel().widthTwips(), 3720);
        QTRY_COMPARE(panel().width(), 3720 / 15);
        QTRY_COMPARE(tabs()->width(), 3660 / 15);
        QCOMPARE(m_pages.at(0)->width(), 3600 / 15);
        // Every page is as wide as the first, once it shows.
        panel().showPage(QStringLiteral("mail"));
        QTRY_COMPARE(m_pages.at(3)->width(), 3600 / 15);
    }

    // A large font widens the buttons where their captions need it, and the fitting
    // width shows every tab caption whole.
    void largeFontShowsEveryCaptionWhole()
    {
        const QFont before = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        QFont large = before;
        large.setPointSize(16);
        QApplication::setFont(large);
        QWidget window;
        SidePanel *wide = sixTabs(window);
        QVERIFY(wide && everyTabShows(wide));
        for (const char *name : {"btnListgetSmaller", "btnTurnofflist", "btnListgetBigger"}) {
            auto *button = child<QPushButton>(wide, QLatin1String(name));
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect label = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            QVERIFY2(label.width() >= button->fontMetrics().horizontalAdvance(button->text()), name);
            QVERIFY2(label.height() >= button->fontMetrics().tightBoundingRect(button->text()).height(), name);
            QVERIFY(button->width() >= 49 && button->height() >= 17);
        }
    }

    // From the narrowest that shows the panel's buttons to the widest, on as many rows as it takes.
    void everyTabShowsAtEveryWidth_data()
    {
        QTest::addColumn<int>("twips");
        QTest::newRow("the buttons' width") << (49 * 3 * 15);
        QTest::newRow("the first start's") << 3360;
        QTest::newRow("one row") << 0;
        QTest::newRow("wider") << 9000;
    }
    void everyTabShowsAtEveryWidth()
    {
        QFETCH(int, twips);
        QWidget window;
        SidePanel *panel = sixTabs(window, twips);
        QVERIFY(panel && everyTabShows(panel));
        // A tab is chosen where it shows.
        auto *rows = child<TabRows>(panel, QStringLiteral("tabRows"));
        QTest::mouseClick(rows, Qt::LeftButton, {}, rows->tabRect(5).center());
        QCOMPARE(child<QTabWidget>(panel, QStringLiteral("tabs"))->currentIndex(), 5);
    }

    void narrowStopsAtZero()
    {
        panel().setWidthTwips(250);
        for (int expected : {130, 10, 10}) {
            panel().btnListgetSmaller_Click();
            QCOMPARE(panel().widthTwips(), expected);
        }
        panel().setWidthTwips(-300);
        QCOMPARE(panel().widthTwips(), 0);
        QCOMPARE(panel().maximumWidth(), 0);
        panel().setWidthTwips(240);
        for (int expected : {120, 0, 0}) {
            panel().btnListgetSmaller_Click();
            QCOMPARE(panel().widthTwips(), expected);
        }
    }

    void hideButtonAsksToHide()
    {
        show();
        QSignalSpy hide(m_panel, &SidePanel::hideRequested);
        press("btnTurnofflist");
        QCOMPARE(hide.count(), 1);
        QCOMPARE(panel().widthTwips(), 3360);
    }

    // A page hears each time it is chosen, by name or by its tab, also when it shows already.
    void onePageShowsAndHearsItWasChosen()
    {
        show();
        QCOMPARE(panel().currentPage(), m_pages.at(0));
        for (const QString id : {"autotext", "mail", "autotext", "autotext"}) {
            panel().showPage(id);
            QCOMPARE(panel().currentPage()->id(), id);
            for (CountingPage *page : std::as_const(m_pages))
                QCOMPARE(page->isVisible(), page->id() == id);
        }
        QCOMPARE(m_pages.at(2)->times, 3);
        QCOMPARE(m_pages.at(3)->times, 1);
        TabRows *strip = tabRows();
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(1).center());
        QCOMPARE(m_pages.at(1)->times, 1);
        QVERIFY(m_pages.at(1)->isVisible());
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(1).center());
        QCOMPARE(m_pages.at(1)->times, 2);
        panel().showPage(QStringLiteral("help")); // not among its pages
        QCOMPARE(panel().currentPage(), m_pages.at(1));
    }

    // The help page's browser is not even made until the page is chosen; then it loads each time.
    void helpLoadsEveryTimeItIsChosen()
    {
        TestApp app;
        auto *help = new HelpPage(app.web(), app.file(QStringLiteral("help.htm")));
        QObject owner;
        SidePanel panel({roomOf(new PanelPage(QStringLiteral("search"), QStringLiteral("搜索")), &owner),
                         roomOf(help, &owner)});
        panel.resize(224, 540);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QVERIFY(!help->helpBrowser());
        QVERIFY(!panel.findChild<BrowserControl *>());
        panel.showPage(HelpPage::Id);
        QCOMPARE(help->helpBrowser()->objectName(), QStringLiteral("webhelp"));
        QSignalSpy complete(help->helpBrowser(), &BrowserControl::DocumentComplete);
        QTRY_COMPARE(complete.count(), 1);
        QVERIFY(complete.at(0).at(0).toString().endsWith(QLatin1String("help.htm")));
        panel.showPage(HelpPage::Id);
        QTRY_COMPARE(complete.count(), 2);
        panel.showPage(QStringLiteral("search"));
        panel.showPage(HelpPage::Id);
        QTRY_COMPARE(complete.count(), 3);
        auto *top = child<QPushButton>(help, QStringLiteral("cmdHelpHomepage"));
        QCOMPARE(top->text(), QStringLiteral("回到顶部"));
        QTest::mouseClick(top, Qt::LeftButton);
        QTRY_COMPARE(complete.count(), 4);
        QWidget *webhelp = help->helpBrowser();
        QTRY_COMPARE(webhelp->width(), help->width());
        QTRY_COMPARE(webhelp->mapTo(help, QPoint(0, webhelp->height())).y(), help->height());
        QVERIFY(webhelp->y() >= top->y() + top->height());
    }
};

QTEST_MAIN(tst_SidePanel)
#include "tst_sidepanel.moc"
