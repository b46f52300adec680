#pragma once

#include "document/OptionsSection.h"

class LinkTools;
class QPushButton;
class QTreeWidget;

// The "外接程序" pane of the options: the tools with their titles and programs,
// and the buttons that add, rename, delete and reload them.
class LinkToolsPage : public SavedAsChangedSection
{
    Q_OBJECT
public:
    explicit LinkToolsPage(LinkTools &tools, QWidget *parent = nullptr);

    // Each change is saved as it is made.

    void cmdAddTool_Click();
    void cmdEdittool_Click();
    void cmdDelete_Click();
    void cmdToolRefresh_Click();

private:
    void fill();
    // False when the change could not be saved; the user is told why.
    bool saved(bool written);
    bool askTitle(const QString &prompt, const QString &caption, const QString &path, QString &title);

    LinkTools &m_tools;
    QTreeWidget *lstLinkTools;
    QPushButton *cmdAddTool;
    QPushButton *cmdEdittool;
    QPushButton *cmdDelete;
    QPushButton *cmdToolRefresh;
};
