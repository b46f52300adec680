#pragma once

#include "app/AppContext.h"
#include "document/DocumentHost.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class DocumentCommands;
class EngineTree;
class MultiSearch;
class MainMenus;
class MainToolbar;
class QMdiArea;
class QTimer;
class QToolBar;
class SidePanel;

// The main window: side panel, document windows, menus and toolbar.
class frmMain : public QMainWindow, public DocumentHost
{
    Q_OBJECT
public:
    explicit frmMain(const AppContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: settings, panel, first document window, first page.
    void Form_Load(const QString &commandLine);

    frmDocument *LoadNewDoc() override;
    void CloseDoc() override;
    void MotherButton_Click(const QString &key) override;
    void mnuWindowCascade_Click() override;
    void btnBookmarkAdd_Click() override;
    void searchSelection(const QString &text) override;
    void LoadEngine();
    void IPrefresh_Click();

    void mnuFileNew_Click();
    void mnuFileClose_Click();
    void mnuFileSend_Click();
    void mnuFileExit_Click();
    void mnuViewToolbar_Click();
    void mnuViewToolbarString_Click();
    void mnuViewTabbed_Click();
    void mnuViewOptions_Click();
    void mnuToolsIEOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpShowtip_Click();
    void mnuHelpAbout_Click();

    frmDocument *activeDocument() const override;
    QList<frmDocument *> documents() const;
    QMdiArea *mdiArea() const { return m_mdi; }
    DocumentCommands *commands() const { return m_commands; }
    MainMenus *menus() const { return m_menus; }
    MainToolbar *toolbar() const { return m_toolbar; }
    EngineTree *engines() const { return m_engines; }
    MultiSearch *search() const { return m_search; }
    bool listPressed() const;
    // Presses or releases the toolbar's list button; the panel shows exactly when it is pressed.
    void setListPressed(bool pressed);

    // Settings held while the program runs.
    qint32 DocCount = 0;
    QString SmtpServer;
    QString UserName;
    QString MyEmail;
    double PingTime = 5000;
    double NetStatTime = 10000;
    QString Homepage;
    qint32 ClickBookmark = 0;

    QTimer *Timer1;
    QTimer *Timer2;
    SidePanel *list;
    QToolBar *Toolbar1;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildShortcuts();
    void buildLayout();
    void connectPanel();
    void loadGeometry();
    void loadSettings();
    void saveState();
    void navigateFirstPage(const QString &commandLine);
    void navigateActive(const QString &address);
    void showPanelTab(int tab);
    void setTabbed(bool tabbed);
    void updateCaption();
    double setting(const char *key, double defaultValue) const;

    AppContext m_context;
    QPointer<frmDocument> m_current;
    QMdiArea *m_mdi;
    DocumentCommands *m_commands;
    MainToolbar *m_toolbar;
    MainMenus *m_menus;
    EngineTree *m_engines;
    MultiSearch *m_search;
    std::array<double, 4> m_geometryTwips{};
    QRect m_appliedGeometry;
};
