#include "HelpPage.h"

#include "document/BrowserControl.h"
#include "document/BrowserFactory.h"
#include "platform/PanelLayout.h"

using namespace PanelLayout;

HelpPage::HelpPage(BrowserFactory &browsers, const QString &helpFile, QWidget *parent)
    : PanelPage(Id, Caption, parent), m_browsers(browsers), m_helpFile(helpFile),
      m_layout(column(this, 0)), cmdHelpHomepage(fixedButton("cmdHelpHomepage", QStringLiteral("回到顶部"), 1095))
{
    m_layout->addLayout(buttonRow({cmdHelpHomepage}));
    connect(cmdHelpHomepage, &QPushButton::clicked, this, &HelpPage::cmdHelpHomepage_Click);
}

// A browser control starts a renderer; nobody should wait for one at start-up
// that only the help page needs.
BrowserControl *HelpPage::webhelp()
{
    if (!m_helpBrowser) {
        m_helpBrowser = m_browsers.createBrowser(this);
        m_helpBrowser->setObjectName(QStringLiteral("webhelp"));
        m_layout->addWidget(m_helpBrowser, 1);
    }
    return m_helpBrowser;
}

void HelpPage::chosen() { webhelp()->navigate(m_helpFile); }

void HelpPage::cmdHelpHomepage_Click() { webhelp()->navigate(m_helpFile); }
