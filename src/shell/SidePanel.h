#pragma once

#include <QList>
#include <QWidget>

class PanelPage;
class QPushButton;
class Room;
class QTabWidget;
class RunningSettings;
class TabRows;

// The main window's side panel: three panel buttons over a strip of tool tabs,
// one tab for each room with a page, in order, on as many rows as the width needs.
// A page is built when it is first chosen or asked for.
class SidePanel : public QWidget
{
    Q_OBJECT
public:
    explicit SidePanel(const QList<Room *> &rooms, QWidget *parent = nullptr);

    int widthTwips() const { return m_widthTwips; }
    void setWidthTwips(int twips);
    // The stored width, or at a first start one that fits the captions within windowWidth.
    void restoreWidth(const RunningSettings &settings, int windowWidth);
    int fittingWidthTwips() const;
    void btnListgetBigger_Click();
    void btnListgetSmaller_Click();
    // Chooses the page, which then reacts as it does to a click on its tab, also
    // when it was showing already.
    void showPage(const QString &id);
    // The page of that id, built if it was not yet; null when none has it.
    PanelPage *page(const QString &id) const;
    PanelPage *currentPage() const;
    void tabs_Click();

signals:
    void hideRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildPanelButtons();

    QPushButton *btnListgetSmaller;
    QPushButton *btnTurnofflist;
    QPushButton *btnListgetBigger;
    QTabWidget *tabs;
    TabRows *m_tabRows; // the tabs' captions, above the strip's pages
    QList<Room *> m_rooms; // in tab order
    int m_widthTwips = 0;
};
