#pragma once

#include "LinkToolStore.h"
#include "document/Room.h"

class ProcessLauncher;
class Prompts;
class QMenu;
struct AppContext;

// The external programs of the toolbar's "外接" drop-down: the menu is filled
// from linktools.ini, and choosing an item starts its program. The options
// dialog lists them to add, rename and delete.
class LinkTools : public Room
{
    Q_OBJECT
public:
    LinkTools(const AppContext &context, QMenu *menu = nullptr, QObject *parent = nullptr);

    void load() override { LoadLinkTools(); }
    void install(const RoomAnchors &where) override;
    QList<OptionsSection *> optionsSections() override;
    // The menu the tools are listed in.
    void setMenu(QMenu *menu);

    LinkToolStore &store() { return m_store; }
    Prompts &prompts() const { return m_prompts; }
    // Rebuilds the menu from the file; of several tools with one path only the first
    // gets an item. Lists of the tools follow loaded().
    void LoadLinkTools();
    // The program as it is stored, without a shell or arguments; one that cannot
    // start is reported with its path.
    void start(const QString &path);

signals:
    void loaded();

private:
    void fillMenu();
    void showIcons();

    LinkToolStore m_store;
    QMenu *m_menu = nullptr;
    ProcessLauncher &m_launcher;
    Prompts &m_prompts;
    QString m_programFolder;
};
