#include "AutotextPage.h"

#include "AutotextEditor.h"
#include "AutotextRowDelegate.h"
#include "KeyNotation.h"
#include "core/Prompts.h"
#include "document/Documents.h"
#include "document/AppContext.h"
#include "platform/EnterKeyFilter.h"
#include "platform/PanelLayout.h"

#include <QListWidget>

using namespace PanelLayout;

AutotextPage::AutotextPage(const AppContext &context, QWidget *parent)
    : PanelPage(Id, Caption, parent), m_store(context.profileFolder), m_documents(*context.documents),
      m_prompts(*context.prompts), m_note(context.note), cmdEDITAUTOtxt(fixedButton("cmdEDITAUTOtxt", QStringLiteral("修改选定项"), 1215)),
      cmdSendSELECTEDITEM(fixedButton("cmdSendSELECTEDITEM", QStringLiteral("发送选定项"), 1215)),
      lstAutotxt(named(new QListWidget, "lstAutotxt"))
{
    QVBoxLayout *layout = column(this, RowGap);
    layout->addLayout(buttonRow({cmdEDITAUTOtxt, cmdSendSELECTEDITEM}));
    layout->addWidget(lstAutotxt, 1);
    connect(cmdEDITAUTOtxt, &QPushButton::clicked, this, &AutotextPage::cmdEDITAUTOtxt_Click);
    connect(cmdSendSELECTEDITEM, &QPushButton::clicked, this, &AutotextPage::cmdSendSELECTEDITEM_Click);
    lstAutotxt->setItemDelegate(new AutotextRowDelegate(lstAutotxt));
    // A double click, and Enter for keyboard users; never the single click that
    // activates an item under some desktop styles.
    connect(lstAutotxt, &QListWidget::itemDoubleClicked, this, &AutotextPage::lstAutotxt_DblClick);
    new EnterKeyFilter(lstAutotxt, [this] { lstAutotxt_DblClick(); });
}

void AutotextPage::LoadAutotxt()
{
    lstAutotxt->clear();
    lstAutotxt->addItems(m_store.rows());
    lstAutotxt->setCurrentRow(-1);
}

void AutotextPage::lstAutotxt_DblClick()
{
    const QListWidgetItem *item = lstAutotxt->currentItem();
    if (!item)
        return;
    if (AutotextStore::isEmpty(item->text()))
        cmdEDITAUTOtxt_Click();
    else
        send(item->text());
}

// The placeholder of an empty slot is typed like any text.
void AutotextPage::cmdSendSELECTEDITEM_Click()
{
    if (const QListWidgetItem *item = lstAutotxt->currentItem())
        send(item->text());
}

void AutotextPage::send(const QString &snippet)
{
    if (!m_documents.activeDocument()) {
        m_note(QStringLiteral("没有打开的网页窗口，自动填表内容没有发送"));
        return;
    }
    const KeyNotation::Parsed parsed = KeyNotation::parse(snippet);
    if (!parsed.error.isEmpty()) {
        m_prompts.message(window(), AutotextEditor::mistake(parsed.error), Caption, Prompts::Warning);
        return;
    }
    m_documents.typeIntoActive(parsed.strokes);
}

// Cancel leaves the slot as it was; an empty answer empties it.
void AutotextPage::cmdEDITAUTOtxt_Click()
{
    const int row = lstAutotxt->currentRow();
    if (row < 0)
        return;
    auto *editor = new AutotextEditor(m_store, row + 1, lstAutotxt->item(row)->text(), m_prompts, window());
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::accepted, this, &AutotextPage::LoadAutotxt);
    editor->open();
}
