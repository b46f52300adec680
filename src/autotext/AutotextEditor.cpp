#include "AutotextEditor.h"

#include "AutotextStore.h"
#include "KeyNotation.h"
#include "core/Prompts.h"
#include "core/StoreError.h"
#include "platform/EnterKeyFilter.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString Title = QStringLiteral("自动填表");
// A whole snippet in view: 127 Chinese characters take four lines of 40, and 254
// of the widest Latin letters, as wide as a Chinese one each, seven.
constexpr int Columns = 40;
constexpr int Lines = 7;

// The size of one line of text as the box lays it out, with the fonts that fill in for Chinese.
QSize lineSize(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return QSize(int(std::ceil(line.naturalTextWidth())), int(std::ceil(line.height())));
}

} // namespace

AutotextEditor::AutotextEditor(AutotextStore &store, int slot, const QString &text, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_store(store), m_slot(slot), m_prompts(prompts), txtSnippet(new QPlainTextEdit(text)),
      lblBytes(new QLabel)
{
    setWindowTitle(Title);
    txtSnippet->setObjectName(QStringLiteral("txtSnippet"));
    lblBytes->setObjectName(QStringLiteral("lblBytes"));
    txtSnippet->setTabChangesFocus(true);
    txtSnippet->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const int frame = 2 * (txtSnippet->frameWidth() + int(std::ceil(txtSnippet->document()->documentMargin())));
    const QSize line = lineSize(QString(Columns, u'中') + QStringLiteral("Ag"), txtSnippet->font());
    txtSnippet->setMinimumSize(line.width() + frame, line.height() * Lines + frame);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请输入要修改的值")));
    layout->addWidget(txtSnippet, 1);
    layout->addWidget(lblBytes);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AutotextEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AutotextEditor::reject);
    connect(txtSnippet, &QPlainTextEdit::textChanged, this, &AutotextEditor::showBytes);
    // One line: Enter saves, as in an input box.
    new EnterKeyFilter(txtSnippet, [this] { accept(); });

    showBytes();
    // The placeholder is there to be replaced; a snippet, to be changed where it ends.
    if (AutotextStore::isEmpty(text))
        txtSnippet->selectAll();
    else
        cursorToEnd();
}

QString AutotextEditor::mistake(const QString &error)
{
    return QStringLiteral("自动填表内容格式有误：") + error;
}

void AutotextEditor::accept()
{
    QString text = txtSnippet->toPlainText();
    if (!AutotextStore::storable(text)) {
        m_prompts.message(this, QStringLiteral("内容太长：每项最多 254 个字节（一个汉字占 2 至 4 个字节），请删短一些。"),
                          Title, Prompts::Warning);
        cursorToEnd();
        return;
    }
    if (!confirmed(text))
        return;
    if (!m_store.setSlot(m_slot, text)) {
        m_prompts.message(this, storeFailureText(QString(), m_store.lastError()), Title, Prompts::Critical);
        return;
    }
    QDialog::accept();
}

// A mistake in the keys is said as the page would say it at typing time; the
// user may still keep the text and mend it later.
bool AutotextEditor::confirmed(const QString &text)
{
    const QString error = KeyNotation::parse(text).error;
    return error.isEmpty()
           || m_prompts.message(this, mistake(error) + QStringLiteral("\n\n仍要保存吗？"), Title, Prompts::Warning,
                                Prompts::Yes | Prompts::No)
                  == Prompts::Yes;
}

void AutotextEditor::showBytes()
{
    const qsizetype bytes = AutotextStore::bytes(txtSnippet->toPlainText());
    const qsizetype over = bytes - AutotextStore::MaxBytes;
    QString shown = QStringLiteral("已用 %1 / %2 字节").arg(bytes).arg(AutotextStore::MaxBytes);
    QPalette palette;
    if (over > 0) {
        shown += QStringLiteral("，超出 %1 字节").arg(over);
        palette.setColor(QPalette::WindowText, Qt::red);
    }
    lblBytes->setText(shown);
    lblBytes->setPalette(palette);
}

void AutotextEditor::cursorToEnd()
{
    txtSnippet->moveCursor(QTextCursor::End);
    txtSnippet->setFocus();
}
