#pragma once

class QWidget;

// The window a task or a window about to open belongs to: the modal window
// on screen, else the active one. Just after a message box closes no window
// is active yet and the focus has not come back: the program's window on
// screen is the one then. Null when nothing is on screen.
QWidget* openingWindow();

// Moves the window `w` so that its frame stands centred over `over` (over
// the screen when null) and whole on that screen.
void centreOver(QWidget* w, const QWidget* over);
