#pragma once

#include <QMdiSubWindow>

class BrowserControl;
class DocumentHost;
class QComboBox;
class QGroupBox;
class QProgressBar;
class QStatusBar;
class QToolBar;
struct AppContext;

// A document window: one browser control with its address box, progress frame,
// small toolbar and status bar.
class frmDocument : public QMdiSubWindow
{
    Q_OBJECT
public:
    frmDocument(DocumentHost &host, const AppContext &context, QWidget *parent = nullptr);

    void Navigate(const QString &url);
    void setShowCombo(bool show);
    bool showCombo() const { return ShowCombo; }

    BrowserControl *Web;
    QComboBox *Combo;
    QGroupBox *Frame1;
    QProgressBar *Progress;
    QToolBar *tbrMDIchild;
    QStatusBar *sbStatusBar;

private:
    QWidget *buildTopStrip();
    void buildToolbar();
    void connectBrowser();
    void addAddress(const QString &address);
    void Combo_KeyPress();
    void Web_ProgressChange(int progress, int progressMax);
    void Web_NewWindow2(BrowserControl **target);

    DocumentHost &m_host;
    const AppContext &m_context;
    bool ShowCombo = false;
};
