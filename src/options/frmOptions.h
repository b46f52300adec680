#pragma once

#include <QDialog>

class LinkTools;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
struct SubsystemContext;

// "选项": home page, new windows, bookmarks and the favourites folder, the waits of
// the network tools, the mail identity, and the link tools. Nothing but the link
// tools, which are saved as they change, is stored before "应用" or "确定".
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(const SubsystemContext &context, LinkTools &linkTools, QWidget *parent = nullptr);

    // Every field as the settings hold it now.
    void Form_Load();
    // False when a setting could not be stored; the user has been told.
    bool cmdApply_Click();
    void cmdOK_Click();
    void cmdIEhomepage_Click();
    void cmdBlackHomepage_Click();
    void cmdSettoDefaultTime_Click();
    void cmdSetEmailToanyones_Click();
    void cmdChageBookmarkpath_Click();
    void cmdCreateLNK_Click();

private:
    QWidget *buildGeneral();
    QWidget *buildMail();
    void buildButtons();
    void switchTab(int step);
    void error(const QString &text);

    const SubsystemContext &m_context;
    QTabWidget *tbsOptions;
    QLineEdit *txtFavorites;
    QPushButton *cmdChageBookmarkpath;
    QRadioButton *optBK1;
    QRadioButton *optBK2;
    QLineEdit *txtHomepage;
    QCheckBox *chkNWindowWithHome;
    QPushButton *cmdIEhomepage;
    QPushButton *cmdBlackHomepage;
    QPushButton *cmdCreateLNK;
    QLineEdit *txtPingtime;
    QLineEdit *txtNetstattime;
    QPushButton *cmdSettoDefaultTime;
    QLineEdit *txtSmtpServer;
    QLineEdit *txtUserName;
    QLineEdit *txtMyEmail;
    QPushButton *cmdSetEmailToanyones;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *cmdApply;
};
