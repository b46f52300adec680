#include "BookmarkPage.h"

#include "platform/PanelLayout.h"

#include <QLineEdit>
#include <QTreeWidget>

using namespace PanelLayout;

BookmarkPage::BookmarkPage(QWidget *parent)
    : QWidget(parent), txtURLbk(named(new QLineEdit, "txtURLbk")),
      cmdVISIT(fixedButton("cmdVISIT", QStringLiteral("访问"), 615)),
      btnBookmarkChange(fixedButton("btnBookmarkChange", QStringLiteral("属性"), 615)),
      btnBookmarkAdd(fixedButton("btnBookmarkAdd", QStringLiteral("添加"), 615)),
      btnBookmarkDel(fixedButton("btnBookmarkDel", QStringLiteral("删除"), 615)),
      btnBookmarkEdit(fixedButton("btnBookmarkEdit", QStringLiteral("管理"), 615)),
      btnBookmarkRefresh(fixedButton("btnBookmarkRefresh", QStringLiteral("刷新"), 615)),
      Bookmarks(named(new QTreeWidget, "Bookmarks"))
{
    Bookmarks->setHeaderHidden(true);
    QVBoxLayout *layout = column(this, RowGap);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(0);
    addressRow->addWidget(txtURLbk, 1);
    addressRow->addWidget(cmdVISIT);
    layout->addLayout(addressRow);
    layout->addLayout(buttonRow({btnBookmarkChange, btnBookmarkAdd, btnBookmarkDel, btnBookmarkEdit, btnBookmarkRefresh}));
    layout->addWidget(Bookmarks, 1);
}
