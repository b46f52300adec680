#pragma once

#include "AutotextStore.h"
#include "platform/PanelPage.h"

class Documents;
class Prompts;
class QListWidget;
class QListWidgetItem;
class QPushButton;
struct SubsystemContext;

// The auto-text tab of the side panel: two buttons over the list of the 100
// snippets, each typed into the focused field of the active document's page.
class AutotextPage : public PanelPage
{
    Q_OBJECT
public:
    explicit AutotextPage(const SubsystemContext &context, QWidget *parent = nullptr);

    // Rebuilds the list from the file; no row is chosen afterwards.
    void LoadAutotxt();
    void lstAutotxt_DblClick();
    void cmdSendSELECTEDITEM_Click();
    void cmdEDITAUTOtxt_Click();

private:
    void send(const QString &snippet);
    void showStatus(const QString &text);

    AutotextStore m_store;
    Documents &m_documents;
    Prompts &m_prompts;
    QPushButton *cmdEDITAUTOtxt;
    QPushButton *cmdSendSELECTEDITEM;
    QListWidget *lstAutotxt;
};
