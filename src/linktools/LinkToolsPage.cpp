#include "LinkToolsPage.h"

#include "LinkTools.h"
#include "core/Prompts.h"
#include "core/StoreError.h"
#include "platform/PanelLayout.h"
#include "platform/ProgramIcons.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

using namespace PanelLayout;

namespace {

enum Role { NumberRole = Qt::UserRole + 1 };

const QString Caption = QStringLiteral("外接程序");

} // namespace

LinkToolsPage::LinkToolsPage(LinkTools &tools, QWidget *parent)
    : SavedAsChangedSection(QStringLiteral("外接程序"), parent), m_tools(tools), lstLinkTools(named(new QTreeWidget, "lstLinkTools")),
      cmdAddTool(named(new QPushButton(QStringLiteral("添加")), "cmdAddTool")),
      cmdEdittool(named(new QPushButton(QStringLiteral("编辑")), "cmdEdittool")),
      cmdDelete(named(new QPushButton(QStringLiteral("删除")), "cmdDelete")),
      cmdToolRefresh(named(new QPushButton(QStringLiteral("刷新")), "cmdToolRefresh"))
{
    lstLinkTools->setHeaderLabels({QStringLiteral("显示标题"), QStringLiteral("程序位置")});
    lstLinkTools->setRootIsDecorated(false);
    lstLinkTools->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstLinkTools, 1);
    // The dialog's other panes wait for "应用"; this one does not.
    auto *note = named(new QLabel(QStringLiteral("添加、编辑和删除会立即保存，按“取消”不会撤销。")), "lblLinkToolsNote");
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdAddTool, cmdEdittool, cmdDelete, cmdToolRefresh})
        buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(cmdAddTool, &QPushButton::clicked, this, &LinkToolsPage::cmdAddTool_Click);
    connect(cmdEdittool, &QPushButton::clicked, this, &LinkToolsPage::cmdEdittool_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &LinkToolsPage::cmdDelete_Click);
    connect(cmdToolRefresh, &QPushButton::clicked, this, &LinkToolsPage::cmdToolRefresh_Click);
    connect(&m_tools, &LinkTools::loaded, this, &LinkToolsPage::fill);
    // Every time the options open, the list shows the tools there are.
    fill();
}

void LinkToolsPage::fill()
{
    lstLinkTools->clear();
    for (const LinkTool &tool : m_tools.store().tools()) {
        auto *row = new QTreeWidgetItem(lstLinkTools, {tool.title, tool.path});
        row->setData(0, NumberRole, tool.number);
    }
    ProgramIcons::show(lstLinkTools, [list = lstLinkTools] {
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            list->topLevelItem(i)->setIcon(0, ProgramIcons::forProgram(list->topLevelItem(i)->text(1)));
    });
}

bool LinkToolsPage::saved(bool written)
{
    if (!written)
        m_tools.prompts().message(window(), storeFailureText(QString(), m_tools.store().lastError()),
                                  Caption, Prompts::Critical);
    return written;
}

// Asks until the answer can be stored beside path, each time with what was typed; false on cancel.
bool LinkToolsPage::askTitle(const QString &prompt, const QString &caption, const QString &path, QString &title)
{
    Prompts &prompts = m_tools.prompts();
    while (prompts.inputText(window(), prompt, caption, title)) {
        const QString why = LinkToolStore::refusal(title, path);
        if (why.isEmpty())
            return true;
        prompts.message(window(), why, Caption, Prompts::Warning);
    }
    return false;
}

// A title prompt that is cancelled adds nothing.
void LinkToolsPage::cmdAddTool_Click()
{
    Prompts &prompts = m_tools.prompts();
    const QString program =
        prompts.openFileName(window(), QStringLiteral("添加外接程序"), QStringLiteral("程序 (*)"), QStringLiteral("/usr/bin"));
    if (program.isEmpty())
        return;
    if (!LinkToolStore::pathFits(program)) {
        prompts.message(window(), QStringLiteral("程序位置太长：最多 252 个字节（一个汉字占 2 至 4 个字节），无法添加。"), Caption,
                        Prompts::Warning);
        return;
    }
    QString title;
    if (!askTitle(QStringLiteral("请输入程序名称"), QStringLiteral("程序名称"), program, title))
        return;
    saved(m_tools.store().add(title, program));
    m_tools.LoadLinkTools();
}

// Cancel keeps the title.
void LinkToolsPage::cmdEdittool_Click()
{
    const QTreeWidgetItem *row = lstLinkTools->currentItem();
    if (!row)
        return;
    QString title = row->text(0);
    if (!askTitle(QStringLiteral("请输入打算使用的标题"), QStringLiteral("输入标题"), row->text(1), title))
        return;
    saved(m_tools.store().setTitle(row->data(0, NumberRole).toInt(), title));
    m_tools.LoadLinkTools();
}

void LinkToolsPage::cmdDelete_Click()
{
    const QTreeWidgetItem *row = lstLinkTools->currentItem();
    if (!row
        || m_tools.prompts().message(window(), QStringLiteral("你确认这么做？"), QStringLiteral("Are you ok?"),
                                     Prompts::Information, Prompts::Yes | Prompts::No)
               != Prompts::Yes)
        return;
    saved(m_tools.store().remove(row->data(0, NumberRole).toInt()));
    m_tools.LoadLinkTools();
}

void LinkToolsPage::cmdToolRefresh_Click() { m_tools.LoadLinkTools(); }
