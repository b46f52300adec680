#pragma once

#include <QList>

class QWidget;
class Room;
struct AppContext;

// The one list of the main window's rooms.
namespace Rooms {

// What rooms set up before the first page loads, before any window is built.
void beforeFirstPage(const AppContext &context);
// Every room, made once, in the order of the panel's tabs and of the options
// dialog's sections; owner is the main window.
QList<Room *> make(const AppContext &context, QWidget *owner);

} // namespace Rooms
