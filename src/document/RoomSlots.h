#pragma once

#include <QList>

class QAction;
class QMenu;
class QWidget;
class Room;

// Where the rooms put their entries in the main window.
struct RoomSlots {
    QWidget *window = nullptr;          // keys added here work anywhere in the main window
    QMenu *linkMenu = nullptr;          // the toolbar's "外接" drop-down
    QMenu *viewMenu = nullptr;          // the View menu: its switches go before viewSwitchesEnd
    QAction *viewSwitchesEnd = nullptr;
    QAction *bookmarkButton = nullptr;  // the toolbar's bookmark button
    QAction *sendCommand = nullptr;     // File > 发送
    QList<QAction *> optionsCommands;   // View > 选项, Tools > 选项, the toolbar's 设置
    QList<Room *> rooms;                // every room, in the shell's order
};
