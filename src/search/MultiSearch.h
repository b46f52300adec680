#pragma once

#include <QObject>

class Documents;
class EngineTree;
class Prompts;
class QComboBox;
class QWidget;

// One query, one new document window per ticked engine, in tree order.
class MultiSearch : public QObject
{
    Q_OBJECT
public:
    MultiSearch(Documents &documents, EngineTree &engines, QComboBox *SearchKey, Prompts &prompts,
                const QString &programFolder, QWidget *owner);

    void GoSearch_Click();
    bool hasTickedEngines() const;

private:
    Documents &m_documents;
    EngineTree &m_engines;
    QComboBox *m_searchKey;
    Prompts &m_prompts;
    QString m_programFolder;
    QWidget *m_owner;
};
