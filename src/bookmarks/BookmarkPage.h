#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;

// The bookmark tab of the side panel: the address of the chosen bookmark, six
// buttons and the bookmark tree.
class BookmarkPage : public QWidget
{
    Q_OBJECT
public:
    explicit BookmarkPage(QWidget *parent = nullptr);

private:
    QLineEdit *txtURLbk;
    QPushButton *cmdVISIT;
    QPushButton *btnBookmarkChange;
    QPushButton *btnBookmarkAdd;
    QPushButton *btnBookmarkDel;
    QPushButton *btnBookmarkEdit;
    QPushButton *btnBookmarkRefresh;
    QTreeWidget *Bookmarks;
};
