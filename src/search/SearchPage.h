#pragma once

#include "platform/PanelPage.h"

class EngineTree;
class MultiSearch;
class QComboBox;
class QPushButton;
class QTreeWidget;
struct AppContext;

// The search tab of the side panel: the query box, its two buttons and the engine tree.
class SearchPage : public PanelPage
{
    Q_OBJECT
public:
    static inline const QString Id = QStringLiteral("search");
    static inline const QString Caption = QStringLiteral("搜索引擎");

    explicit SearchPage(const AppContext &context, QWidget *parent = nullptr);

    void LoadEngine();
    // Puts text into the query box and searches for it with the ticked engines;
    // false when none is ticked.
    bool searchFor(const QString &text);
    EngineTree *engines() const { return m_engines; }
    void takeFocus() override;

private:
    QComboBox *SearchKey;
    QPushButton *GoSearch;
    QPushButton *cmdRefreshEngines;
    QTreeWidget *SearchEngine;
    EngineTree *m_engines;
    MultiSearch *m_search;
};
