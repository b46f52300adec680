#include "LinkTools.h"

#include "LinkToolsPage.h"
#include "document/RoomAnchors.h"
#include "platform/Images.h"
#include "core/ProcessLauncher.h"
#include "core/Prompts.h"
#include "document/AppContext.h"
#include "platform/ProgramIcons.h"

#include <QMenu>
#include <QSet>

LinkTools::LinkTools(const AppContext &context, QMenu *menu, QObject *parent)
    : Room(parent), m_store(context.profileFolder), m_launcher(*context.launcher), m_prompts(*context.prompts),
      m_programFolder(context.programFolder)
{
    if (menu)
        setMenu(menu);
}

void LinkTools::setMenu(QMenu *menu)
{
    m_menu = menu;
    connect(m_menu, &QMenu::triggered, this, [this](QAction *item) { start(item->data().toString()); });
    // Looked up when the menu first shows, not at start-up.
    connect(m_menu, &QMenu::aboutToShow, this, &LinkTools::showIcons);
}

// The toolbar's 外接 drop-down lists the tools.
void LinkTools::install(const RoomAnchors &where)
{
    setMenu(new QMenu(where.window));
    QAction *button = entry(QStringLiteral("外接"), "link", [] {});
    button->setIcon(Images::icon(m_programFolder, QStringLiteral("tools")));
    button->setToolTip(QStringLiteral("外接程序"));
    button->setMenu(m_menu);
    where.toolButtons.add(button, QStringLiteral("link"));
}

QList<OptionsSection *> LinkTools::optionsSections() { return {new LinkToolsPage(*this)}; }

void LinkTools::LoadLinkTools()
{
    if (m_menu)
        fillMenu();
    emit loaded();
}

void LinkTools::fillMenu()
{
    m_menu->clear();
    QSet<QString> paths;
    for (const LinkTool &tool : m_store.tools()) {
        if (paths.contains(tool.path))
            continue;
        paths.insert(tool.path);
        QAction *item = m_menu->addAction(tool.title);
        item->setData(tool.path);
        item->setToolTip(tool.path);
    }
}

void LinkTools::showIcons()
{
    ProgramIcons::show(m_menu, [menu = m_menu] {
        for (QAction *item : menu->actions())
            if (item->icon().isNull())
                item->setIcon(ProgramIcons::forProgram(item->data().toString()));
    });
}

void LinkTools::start(const QString &path)
{
    QString error;
    if (!m_launcher.startDetached(path, {}, &error))
        m_prompts.message(m_menu->parentWidget(), QStringLiteral("无法启动外接程序 %1：%2").arg(path, error),
                          QStringLiteral("外接程序"), Prompts::Warning);
}
