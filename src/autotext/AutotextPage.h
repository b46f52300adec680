#pragma once

#include "AutotextStore.h"
#include "platform/PanelPage.h"

#include <functional>

class Documents;
class Prompts;
class QListWidget;
class QListWidgetItem;
class QPushButton;
struct AppContext;

// The auto-text tab of the side panel: two buttons over the list of the 100
// snippets, each typed into the focused field of the active document's page.
class AutotextPage : public PanelPage
{
    Q_OBJECT
public:
    static inline const QString Id = QStringLiteral("autotext");
    static inline const QString Caption = QStringLiteral("自动填表");

    explicit AutotextPage(const AppContext &context, QWidget *parent = nullptr);

    // Rebuilds the list from the file; no row is chosen afterwards.
    void LoadAutotxt();
    void lstAutotxt_DblClick();
    void cmdSendSELECTEDITEM_Click();
    void cmdEDITAUTOtxt_Click();

private:
    void send(const QString &snippet);

    AutotextStore m_store;
    Documents &m_documents;
    Prompts &m_prompts;
    std::function<void(const QString &)> m_note;
    QPushButton *cmdEDITAUTOtxt;
    QPushButton *cmdSendSELECTEDITEM;
    QListWidget *lstAutotxt;
};
