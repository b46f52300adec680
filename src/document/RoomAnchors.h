#pragma once

#include "EntryPlace.h"

#include <QList>

class QWidget;
class Room;

// Where the rooms put their entries in the main window, each a typed place of the
// shell's menus and toolbar. Entries of the document windows go through Documents.
struct RoomAnchors {
    QWidget *window = nullptr; // keys added here work anywhere in the main window
    EntryPlace fileMenu;       // the File menu, above 退出
    EntryPlace viewSwitches;   // the View menu's switches, between its two lines
    EntryPlace viewMenu;       // the View menu's end
    EntryPlace toolsMenu;      // the Tools menu's top
    EntryPlace windowMenu;     // the Window menu, below its arrangements
    EntryPlace helpMenu;       // the Help menu's top
    EntryPlace pageButtons;    // the toolbar, after 主页
    EntryPlace toolButtons;    // the toolbar, before BBS
    QList<Room *> rooms;       // every room, in the shell's order
};
