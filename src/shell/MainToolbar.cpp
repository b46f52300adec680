#include "MainToolbar.h"

#include "platform/Images.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Button {
    const char *key;
    const char *caption;
    const char *hint;
    const char *image;
};

// An empty key marks a separator.
const Button Buttons[] = {
    {"new", "新建", "新建一个窗口", "newcard"},
    {"close", "关闭", "关闭当前活动窗口", "closecard"},
    {"", "", "", ""},
    {"open", "打开", "打开一个本地文件", "open"},
    {"save", "保存", "保存当前网页", "save"},
    {"", "", "", ""},
    {"print", "打印", "打印当前网页", "print"},
    {"copy", "复制", "复制选定的文本", "copy"},
    {"find", "查找", "在当前网页内查找", "find"},
    {"", "", "", ""},
    {"list", "辅助", "打开辅助栏", "list"},
    {"", "", "", ""},
    {"home", "主页", "访问设定的主页", "home"},
    {"bookmark", "书签", "打开书签", "bookmark"},
    {"", "", "", ""},
    {"option", "设置", "更改Vantorel设置", "option"},
    {"link", "外接", "外接程序", "tools"},
    {"bbs", "BBS", "访问Halbrek电子公告牌", "link"},
    {"", "", "", ""},
    {"update", "升级", "访问Halbrek", "update"},
    {"", "", "", ""},
};

} // namespace

MainToolbar::MainToolbar(QToolBar *toolbar, const QString &programFolder)
    : QObject(toolbar), m_toolbar(toolbar), m_linkMenu(new QMenu(toolbar))
{
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(24, 24));
    for (const Button &b : Buttons) {
        const QString key = QLatin1String(b.key);
        if (key.isEmpty()) {
            toolbar->addSeparator();
            continue;
        }
        QAction *action = toolbar->addAction(Images::icon(programFolder, QLatin1String(b.image)),
                                             QString::fromUtf8(b.caption));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf8(b.hint));
        action->setStatusTip(QString::fromUtf8(b.hint));
        connect(action, &QAction::triggered, this, [this, key] { emit clicked(key); });
        // Kept when text mode clears the captions, so screen readers still name the button.
        toolbar->widgetForAction(action)->setAccessibleName(QString::fromUtf8(b.caption));
    }
    listButton()->setCheckable(true);
    QAction *link = button(QStringLiteral("link"));
    link->setMenu(m_linkMenu);
    if (auto *tool = qobject_cast<QToolButton *>(toolbar->widgetForAction(link)))
        tool->setPopupMode(QToolButton::InstantPopup); // the button starts nothing itself
}

QAction *MainToolbar::button(const QString &key) const { return m_toolbar->findChild<QAction *>(key); }

void MainToolbar::setCaptionsShown(bool shown)
{
    for (const Button &b : Buttons)
        if (QAction *action = *b.key ? button(QLatin1String(b.key)) : nullptr)
            action->setText(shown ? QString::fromUtf8(b.caption) : QString());
}
