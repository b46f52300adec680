#pragma once

class QWidget;

// Clicks control, as a user does before typing, and returns the widget that then
// receives the keys (QApplication::focusWidget()), or null when none took the focus.
QWidget *clickToFocus(QWidget *control);
