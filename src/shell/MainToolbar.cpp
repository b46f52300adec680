#include "MainToolbar.h"

#include "platform/Images.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

MainToolbar::MainToolbar(QToolBar *toolbar, const QString &programFolder)
    : QObject(toolbar), m_toolbar(toolbar), m_programFolder(programFolder)
{
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(24, 24));
    newWindow = button("new", "新建", "新建一个窗口", "newcard");
    closeWindow = button("close", "关闭", "关闭当前活动窗口", "closecard");
    toolbar->addSeparator();
    open = button("open", "打开", "打开一个本地文件", "open");
    save = button("save", "保存", "保存当前网页", "save");
    toolbar->addSeparator();
    print = button("print", "打印", "打印当前网页", "print");
    copy = button("copy", "复制", "复制选定的文本", "copy");
    find = button("find", "查找", "在当前网页内查找", "find");
    toolbar->addSeparator();
    list = button("list", "辅助", "打开辅助栏", "list");
    list->setCheckable(true);
    toolbar->addSeparator();
    home = button("home", "主页", "访问设定的主页", "home");
    m_afterHome = toolbar->addSeparator();
    m_beforeBbs = bbs = button("bbs", "BBS", "访问Halbrek电子公告牌", "link");
    toolbar->addSeparator();
    update = button("update", "升级", "访问Halbrek", "update");
    toolbar->addSeparator();
}

QAction *MainToolbar::button(const char *key, const char *caption, const char *hint, const char *image)
{
    auto *action = new QAction(Images::icon(m_programFolder, QLatin1String(image)), QString::fromUtf8(caption), this);
    action->setObjectName(QLatin1String(key));
    action->setToolTip(QString::fromUtf8(hint));
    m_toolbar->addAction(action);
    added(action, QLatin1String(key));
    return action;
}

EntryPlace MainToolbar::pageButtons()
{
    return EntryPlace(m_toolbar, m_afterHome, [this](QAction *button, const QString &key) { added(button, key); });
}

EntryPlace MainToolbar::toolButtons()
{
    return EntryPlace(m_toolbar, m_beforeBbs, [this](QAction *button, const QString &key) { added(button, key); });
}

// Every button, the shell's and the rooms', keeps its caption for text mode, tells its
// hint in the status bar and is named for screen readers however text mode stands.
void MainToolbar::added(QAction *button, const QString &key)
{
    m_captions.insert(button, button->text());
    button->setStatusTip(button->toolTip());
    QWidget *widget = m_toolbar->widgetForAction(button);
    widget->setAccessibleName(button->text());
    // A button with a drop-down starts nothing itself.
    if (auto *tool = qobject_cast<QToolButton *>(widget); tool && button->menu())
        tool->setPopupMode(QToolButton::InstantPopup);
    if (!key.isEmpty())
        m_byKey.insert(key, button);
}

bool MainToolbar::run(const QString &key) const
{
    QAction *button = m_byKey.value(key);
    if (!button || button->menu())
        return false;
    button->trigger();
    return true;
}

void MainToolbar::setCaptionsShown(bool shown)
{
    for (auto it = m_captions.cbegin(); it != m_captions.cend(); ++it)
        it.key()->setText(shown ? it.value() : QString());
}
