#include "SearchPage.h"

#include "EngineTree.h"
#include "MultiSearch.h"
#include "document/AppContext.h"
#include "platform/PanelLayout.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

using namespace PanelLayout;

SearchPage::SearchPage(const AppContext &context, QWidget *parent)
    : PanelPage(Id, Caption, parent), SearchKey(named(new QComboBox, "SearchKey")),
      GoSearch(fixedButton("GoSearch", QStringLiteral("开始搜索"), 975)),
      cmdRefreshEngines(fixedButton("cmdRefreshEngines", QStringLiteral("刷新"), 975)),
      SearchEngine(named(new QTreeWidget, "SearchEngine"))
{
    SearchKey->setEditable(true);
    // The search keeps its own history; Enter must not add items behind its back.
    SearchKey->setInsertPolicy(QComboBox::NoInsert);
    SearchEngine->setHeaderHidden(true);

    QVBoxLayout *layout = column(this, RowGap);
    auto *keyRow = new QHBoxLayout;
    keyRow->setContentsMargins(0, 0, RightGap, 0);
    keyRow->addWidget(SearchKey);
    layout->addLayout(keyRow);
    layout->addLayout(buttonRow({GoSearch, cmdRefreshEngines}));
    layout->addWidget(SearchEngine, 1);

    m_engines = new EngineTree(SearchEngine, context.profileFolder, context.programFolder, this);
    m_search = new MultiSearch(*context.documents, *m_engines, SearchKey, *context.prompts, context.programFolder, this);
    connect(GoSearch, &QPushButton::clicked, m_search, &MultiSearch::GoSearch_Click);
    connect(cmdRefreshEngines, &QPushButton::clicked, m_engines, &EngineTree::cmdRefreshEngines_Click);
}

void SearchPage::LoadEngine() { m_engines->LoadEngine(); }

bool SearchPage::searchFor(const QString &text)
{
    SearchKey->setEditText(text);
    if (!m_search->hasTickedEngines())
        return false;
    m_search->GoSearch_Click();
    return true;
}

void SearchPage::takeFocus()
{
    SearchKey->setFocus();
    SearchKey->lineEdit()->selectAll();
}
