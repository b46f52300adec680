#pragma once

#include <QWidget>

class DocumentHost;
class EngineTree;
class MultiSearch;
class Prompts;
class QComboBox;
class QPushButton;
class QTreeWidget;

// The search tab of the side panel: the query box, its two buttons and the engine tree.
class SearchPage : public QWidget
{
    Q_OBJECT
public:
    // The engine files are read from profileFolder, the pictures from programFolder.
    SearchPage(DocumentHost &host, Prompts &prompts, const QString &programFolder, const QString &profileFolder,
               QWidget *parent = nullptr);

    void LoadEngine();
    // Puts text into the query box and searches for it with the ticked engines;
    // false when none is ticked.
    bool searchFor(const QString &text);
    EngineTree *engines() const { return m_engines; }

private:
    QComboBox *SearchKey;
    QPushButton *GoSearch;
    QPushButton *cmdRefreshEngines;
    QTreeWidget *SearchEngine;
    EngineTree *m_engines;
    MultiSearch *m_search;
};
