#include "BookmarkOptions.h"

#include "BookmarkSettings.h"
#include "core/RunningSettings.h"
#include "core/BrowseFolder.h"
#include "platform/PanelLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using PanelLayout::named;

BookmarkOptions::BookmarkOptions(const RunningSettings &settings, Prompts &prompts, QWidget *parent)
    : OptionsSection(QStringLiteral("常规"), parent), m_prompts(prompts),
      txtFavorites(named(new QLineEdit(settings.text(BookmarkSettings::IEFavoritesFolder)), "txtFavorites")),
      cmdChageBookmarkpath(named(new QPushButton(QStringLiteral("..")), "cmdChageBookmarkpath")),
      optBK1(named(new QRadioButton(QStringLiteral("单击书签项后立即访问书签指向站点")), "optBK1")),
      optBK2(named(new QRadioButton(QStringLiteral("单击访问按钮访问书签指向站点")), "optBK2"))
{
    auto *group = new QGroupBox(QStringLiteral("书签"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("收藏夹地址：")));
    folderRow->addWidget(txtFavorites, 1);
    folderRow->addWidget(cmdChageBookmarkpath);
    auto *layout = new QVBoxLayout(group);
    layout->addLayout(folderRow);
    layout->addWidget(optBK1);
    layout->addWidget(optBK2);
    PanelLayout::column(this, 0)->addWidget(group);

    // Another number chooses neither, which a group of choices does not allow by itself.
    const int click = settings.numberOrDefault(BookmarkSettings::ClickBookmark);
    for (QRadioButton *option : {optBK1, optBK2})
        option->setAutoExclusive(false);
    optBK1->setChecked(click == 1);
    optBK2->setChecked(click == 0);
    for (QRadioButton *option : {optBK1, optBK2})
        option->setAutoExclusive(true);
    connect(cmdChageBookmarkpath, &QPushButton::clicked, this, &BookmarkOptions::cmdChageBookmarkpath_Click);
}

void BookmarkOptions::apply(RunningSettings &settings, QString *error)
{
    settings.set(BookmarkSettings::IEFavoritesFolder, txtFavorites->text(), error);
    if (optBK1->isChecked() || optBK2->isChecked())
        settings.setNumber(BookmarkSettings::ClickBookmark, optBK1->isChecked() ? 1 : 0, error);
}

// A cancelled pick leaves the folder as it was.
void BookmarkOptions::cmdChageBookmarkpath_Click()
{
    const QString folder = BrowseFolder(m_prompts, this, QStringLiteral("请选择你的IE收藏夹位置"));
    if (!folder.isEmpty())
        txtFavorites->setText(folder);
}
