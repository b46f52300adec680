#pragma once

#include "platform/PanelPage.h"

class BrowserControl;
class BrowserFactory;
class QPushButton;
class QVBoxLayout;

// The help tab of the side panel: the help page in a browser control of its own,
// loaded from the top each time the tab is chosen.
class HelpPage : public PanelPage
{
    Q_OBJECT
public:
    static inline const QString Id = QStringLiteral("help");
    static inline const QString Caption = QStringLiteral("系统帮助");

    HelpPage(BrowserFactory &browsers, const QString &helpFile, QWidget *parent = nullptr);

    void chosen() override;
    void cmdHelpHomepage_Click();
    // Made when the help page is first asked for, not at start-up.
    BrowserControl *helpBrowser() const { return m_helpBrowser; }

private:
    BrowserControl *webhelp();

    BrowserFactory &m_browsers;
    QString m_helpFile;
    QVBoxLayout *m_layout;
    QPushButton *cmdHelpHomepage;
    BrowserControl *m_helpBrowser = nullptr;
};
