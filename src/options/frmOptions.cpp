#include "frmOptions.h"

#include "core/Prompts.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "core/Twips.h"
#include "document/OptionsSection.h"
#include "document/Room.h"
#include "platform/PanelLayout.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using PanelLayout::named;

frmOptions::frmOptions(const QList<Room *> &rooms, RunningSettings &settings, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompts(prompts),
      tbsOptions(named(new QTabWidget, "tbsOptions")),
      cmdOK(named(new QPushButton(QStringLiteral("确定")), "cmdOK")),
      cmdCancel(named(new QPushButton(QStringLiteral("取消")), "cmdCancel")),
      cmdApply(named(new QPushButton(QStringLiteral("应用(&A)")), "cmdApply"))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("选项"));
    setMinimumWidth(6195 / Twips);
    for (Room *room : rooms)
        m_sections += room->optionsSections();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions, 1);
    buildTabs();
    buildButtons();
    // The next and the previous tab from anywhere in the dialog, round the ends.
    const std::pair<QKeySequence, int> keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}};
    for (const auto &[key, step] : keys) {
        auto *action = new QAction(this);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, step = step] { switchTab(step); });
        addAction(action);
    }
}

// Sections of one caption stacked on one pane, the panes named PicOPTIONS0, 1, …
void frmOptions::buildTabs()
{
    QList<QString> captions;
    QList<QVBoxLayout *> panes;
    for (OptionsSection *section : std::as_const(m_sections)) {
        qsizetype at = captions.indexOf(section->tab());
        if (at < 0) {
            auto *pane = new QWidget;
            pane->setObjectName(QStringLiteral("PicOPTIONS%1").arg(captions.size()));
            tbsOptions->addTab(pane, section->tab());
            captions.append(section->tab());
            panes.append(new QVBoxLayout(pane));
            at = captions.size() - 1;
        }
        panes.at(at)->addWidget(section);
    }
    for (QVBoxLayout *pane : panes)
        pane->addStretch();
}

void frmOptions::buildButtons()
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *b : {cmdOK, cmdCancel, cmdApply})
        row->addWidget(b);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
}

void frmOptions::switchTab(int step)
{
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + step + tbsOptions->count()) % tbsOptions->count());
}

// A setting the program would refuse when it is used is refused here, before anything is written.
bool frmOptions::refused()
{
    for (OptionsSection *section : std::as_const(m_sections)) {
        const OptionsSection::Refusal refusal = section->refusal();
        if (refusal.text.isEmpty())
            continue;
        for (int i = 0; i < tbsOptions->count(); ++i)
            if (tbsOptions->widget(i)->isAncestorOf(section))
                tbsOptions->setCurrentIndex(i);
        m_prompts.message(this, refusal.text, QStringLiteral("错误"), Prompts::Critical);
        if (refusal.field)
            refusal.field->setFocus();
        return true;
    }
    return false;
}

// One write for every section; nothing changes in the running program unless it succeeds.
bool frmOptions::cmdApply_Click()
{
    if (refused())
        return false;
    QString why;
    if (m_settings.transaction([&] {
            for (OptionsSection *section : std::as_const(m_sections))
                section->apply(m_settings, &why);
        }, &why))
        return true;
    m_prompts.message(this, SettingsStore::failureText(why), QStringLiteral("错误"), Prompts::Critical);
    return false;
}

// A failed apply keeps the dialog open with what was typed.
void frmOptions::cmdOK_Click()
{
    if (cmdApply_Click())
        accept();
}
