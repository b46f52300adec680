#pragma once

#include "app/AppContext.h"

#include <QWidget>

class BrowserControl;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// The main window's side panel: three panel buttons over a strip of six tool tabs.
class SidePanel : public QWidget
{
    Q_OBJECT
public:
    explicit SidePanel(const AppContext &context, QWidget *parent = nullptr);

    int widthTwips() const { return m_widthTwips; }
    void setWidthTwips(int twips);
    void btnListgetBigger_Click();
    void btnListgetSmaller_Click();
    // Tabs count from 1, as the pages PIC1..PIC6 do.
    void selectTab(int index);
    int currentTab() const;
    void tabs_Click();
    void cmdHelpHomepage_Click();
    QString helpAddress() const;

signals:
    void hideRequested();
    void localAddressRefreshRequested();

public:
    QPushButton *btnListgetSmaller;
    QPushButton *btnTurnofflist;
    QPushButton *btnListgetBigger;
    QTabWidget *tabs;

    QComboBox *SearchKey;
    QPushButton *GoSearch;
    QPushButton *cmdRefreshEngines;
    QTreeWidget *SearchEngine;

    QLineEdit *txtURLbk;
    QPushButton *cmdVISIT;
    QPushButton *btnBookmarkChange;
    QPushButton *btnBookmarkAdd;
    QPushButton *btnBookmarkDel;
    QPushButton *btnBookmarkEdit;
    QPushButton *btnBookmarkRefresh;
    QTreeWidget *Bookmarks;

    QPushButton *cmdEDITAUTOtxt;
    QPushButton *cmdSendSELECTEDITEM;
    QListWidget *lstAutotxt;

    QLineEdit *txtMailTO;
    QLineEdit *txtMailSubject;
    QPlainTextEdit *txtMail;
    QPushButton *cmdMailSend;
    QPushButton *cmdMailReset;
    QLabel *StatusTXT;

    QLineEdit *txtLocalIP;
    QLineEdit *txtPINGHOST;
    QPushButton *IPrefresh;
    QPushButton *cmdPING;
    QPushButton *cmdViewLOCALport;
    QPlainTextEdit *txtCommandOUTPUT;

    QPushButton *cmdHelpHomepage;
    BrowserControl *webhelp = nullptr;

private:
    QWidget *addPage(const QString &caption);
    void buildPanelButtons();
    void buildSearchPage();
    void buildBookmarkPage();
    void buildAutotextPage();
    void buildMailPage();
    void buildToolsPage();
    void buildHelpPage();

    AppContext m_context;
    int m_widthTwips = 0;
};
