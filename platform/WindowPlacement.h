#pragma once

class QDialog;
class QString;
class QWidget;

// The window a task or a window about to open belongs to: the modal window
// on screen, else the active one. Just after a message box closes no window
// is active yet and the focus has not come back: the program's window on
// screen is the one then. Null when nothing is on screen.
QWidget* openingWindow();

// Moves the window `w` so that its frame stands centred over `over` (over
// the screen when null) and whole on that screen.
void centreOver(QWidget* w, const QWidget* over);

// The title a window manager shows for a window titled `title`: Qt hands the
// platform the window's own title followed by the application's display name.
QString titleAsShown(const QString& title);

// The least width of a window's frame in which a window manager shows
// `title` whole, by estimate (the manager's own font and frame cannot be
// measured from here): the title as shown in the application's title-bar font,
// in bold as most managers draw it, and room for the frame's icon and its
// three buttons with a margin.
int widthForTitle(const QString& title);

// Makes the dialog, as it is first shown, at least as wide as its title
// needs (widthForTitle), within what its screen gives a dialog: a box with a
// short text would otherwise be narrower than its own title bar.
void makeRoomForTitle(QDialog& dialog);
