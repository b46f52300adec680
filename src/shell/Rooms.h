#pragma once

#include <QList>

class QWidget;
class Room;
struct SubsystemContext;

namespace Rooms {

// Every room of the main window, made once, in the order of the panel's tabs and
// of the options dialog's sections; owner is the main window.
QList<Room *> make(const SubsystemContext &context, QWidget *owner);

} // namespace Rooms
