#pragma once

#include "platform/PanelPage.h"

#include <QList>
#include <QWidget>

class QPushButton;
class QTabWidget;
class SettingsStore;

// The main window's side panel: three panel buttons over a strip of tool tabs,
// one tab for each page it is given, in order.
class SidePanel : public QWidget
{
    Q_OBJECT
public:
    explicit SidePanel(const QList<PanelPage *> &pages, QWidget *parent = nullptr);

    int widthTwips() const { return m_widthTwips; }
    void setWidthTwips(int twips);
    // The stored width, or at a first start one that fits the captions within windowWidth.
    void restoreWidth(const SettingsStore &settings, int windowWidth);
    int fittingWidthTwips() const;
    void btnListgetBigger_Click();
    void btnListgetSmaller_Click();
    // Chooses the page, which then reacts as it does to a click on its tab, also
    // when it was showing already.
    void showPage(PanelPage::Id id);
    PanelPage *page(PanelPage::Id id) const;
    PanelPage *currentPage() const;
    void tabs_Click();

signals:
    void hideRequested();

private:
    void buildPanelButtons();

    QPushButton *btnListgetSmaller;
    QPushButton *btnTurnofflist;
    QPushButton *btnListgetBigger;
    QTabWidget *tabs;
    QList<PanelPage *> m_pages;
    int m_widthTwips = 0;
};
