#include "MultiSearch.h"

#include "EngineTree.h"
#include "SearchUrl.h"
#include "core/AppInfo.h"
#include "core/Prompts.h"
#include "document/Documents.h"
#include "platform/EnterKeyFilter.h"
#include "platform/Images.h"

#include <QComboBox>

MultiSearch::MultiSearch(Documents &documents, EngineTree &engines, QComboBox *SearchKey, Prompts &prompts,
                         const QString &programFolder, QWidget *owner)
    : QObject(owner), m_documents(documents), m_engines(engines), m_searchKey(SearchKey), m_prompts(prompts),
      m_programFolder(programFolder), m_owner(owner)
{
    new EnterKeyFilter(SearchKey, [this] { GoSearch_Click(); });
}

bool MultiSearch::hasTickedEngines() const { return !m_engines.tickedTags().isEmpty(); }

void MultiSearch::GoSearch_Click()
{
    const QString query = m_searchKey->currentText();
    if (query.isEmpty()) {
        m_prompts.message(m_owner, QStringLiteral("没有输入关键词"), AppTitle);
        return;
    }
    m_searchKey->insertItem(0, Images::icon(m_programFolder, QStringLiteral("earth")), query);
    m_searchKey->setCurrentIndex(0);
    // A load can start a renderer process and wait for it: every window opens
    // first, and the loads begin from the event loop.
    for (const QString &tag : m_engines.tickedTags()) {
        m_documents.navigateNew(composeSearchUrl(tag, query));
        m_documents.cascade();
    }
}
