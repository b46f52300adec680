#pragma once

#include <QMdiSubWindow>

#include "Documents.h"

class BrowserControl;
class BrowserFactory;
class DocumentHost;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;

// A document window: one browser control with its address box, progress frame,
// small toolbar and status bar.
class frmDocument : public QMdiSubWindow
{
    Q_OBJECT
public:
    // programFolder holds the images.
    frmDocument(DocumentHost &host, BrowserFactory &browsers, const QString &programFolder, QWidget *parent = nullptr);

    void Navigate(const QString &url);
    void setShowCombo(bool show);
    bool showCombo() const { return ShowCombo; }
    // Shows the address box, also while a page loads, with the keyboard focus in it and its text chosen.
    void focusAddress();

    // The control that shows the page, for the windows and commands of this layer.
    BrowserControl *web() const { return Web; }
    // A room's entry: on the toolbar before 菜单, or at the end of the window's menu.
    void addEntry(Documents::WindowPlace place, QAction *entry);

signals:
    // The user asked for what the main window does: go to the home page.
    void homeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildTopStrip();
    void buildToolbar();
    void connectBrowser();
    void addAddress(const QString &address);
    void Combo_KeyPress();
    void openSuggestion(const QString &address);
    void Web_ProgressChange(int progress, int progressMax);
    void Web_CommandStateChange();
    void showPopupBlocked(bool blocked);
    BrowserControl *Web_NewWindow2();

    BrowserControl *Web;
    QComboBox *Combo;
    QGroupBox *Frame1;
    QProgressBar *Progress;
    QToolBar *tbrMDIchild;
    QAction *m_back, *m_forward, *m_stop, *m_menuButton, *m_allowPopups;
    QMenu *m_menu;
    QStatusBar *sbStatusBar;
    QLabel *m_popupBlocked; // stays while the page is shown, beside the passing status text
    DocumentHost &m_host;
    QString m_programFolder;
    bool ShowCombo = false;
};
