#pragma once

#include <QList>
#include <QWidget>

class BrowserControl;
class BrowserFactory;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

// The main window's side panel: three panel buttons over a strip of tool tabs.
// Each subsystem brings its own page; the help page is the panel's.
class SidePanel : public QWidget
{
    Q_OBJECT
public:
    struct Page {
        QWidget *widget;
        QString caption;
    };
    // The pages become tabs 1, 2, … in order; the help page (helpFile) follows them.
    SidePanel(const QList<Page> &pages, BrowserFactory &browsers, const QString &helpFile, QWidget *parent = nullptr);

    int widthTwips() const { return m_widthTwips; }
    void setWidthTwips(int twips);
    void btnListgetBigger_Click();
    void btnListgetSmaller_Click();
    // Tabs count from 1, as the pages PIC1..PIC6 do.
    void selectTab(int index);
    int currentTab() const;
    void tabs_Click();
    void cmdHelpHomepage_Click();
    QString helpAddress() const { return m_helpFile; }
    // Made when the help page is first asked for, not at start-up.
    BrowserControl *helpBrowser() const { return m_helpBrowser; }

    QPushButton *btnListgetSmaller;
    QPushButton *btnTurnofflist;
    QPushButton *btnListgetBigger;
    QTabWidget *tabs;
    QPushButton *cmdHelpHomepage;

signals:
    void hideRequested();
    void localAddressRefreshRequested();

private:
    void addPage(QWidget *page, const QString &caption);
    void buildPanelButtons();
    void buildHelpPage();
    BrowserControl *webhelp();

    BrowserFactory &m_browsers;
    QString m_helpFile;
    QVBoxLayout *m_helpLayout = nullptr;
    BrowserControl *m_helpBrowser = nullptr;
    int m_widthTwips = 0;
};
