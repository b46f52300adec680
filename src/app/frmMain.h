#pragma once

#include "app/AppContext.h"
#include "document/DocumentHost.h"

#include <QMainWindow>

#include <array>

class QAction;
class QMdiArea;
class QTimer;
class QToolBar;

// The main window: side panel, document windows, menus and toolbar.
class frmMain : public QMainWindow, public DocumentHost
{
    Q_OBJECT
public:
    explicit frmMain(const AppContext &context, QWidget *parent = nullptr);

    // Start-up: settings, panel, first document window, first page.
    void Form_Load(const QString &commandLine);

    frmDocument *LoadNewDoc() override;
    void CloseDoc() override;
    void MotherButton_Click(const QString &key) override;
    void mnuWindowCascade_Click() override;
    void btnBookmarkAdd_Click() override;
    void mnuHelpShowtip_Click();
    void mnuHelpAbout_Click();

    frmDocument *activeDocument() const;
    QList<frmDocument *> documents() const;
    QMdiArea *mdiArea() const { return m_mdi; }
    int listWidthTwips() const;
    void setListWidthTwips(int twips);
    bool listPressed() const;
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
    QWidget *list;
    QToolBar *Toolbar1;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadGeometry();
    void loadSettings();
    void saveState();
    void navigateFirstPage(const QString &commandLine);
    void updateCaption();
    double setting(const char *key, double defaultValue) const;

    AppContext m_context;
    QMdiArea *m_mdi;
    QAction *m_listAction;
    int m_listWidthTwips = 3360;
    std::array<double, 4> m_geometryTwips{};
    QRect m_appliedGeometry;
};
