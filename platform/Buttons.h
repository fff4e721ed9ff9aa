#pragma once

class QAbstractButton;
class QWidget;

// Keyboard habits of the forms' buttons. A form's buttons are never its
// default button (Enter belongs to its grid, list or entry line), so Qt
// alone gives Enter on a focused button no meaning.

// Enter, on the main keyboard or the keypad, presses the button while it
// has the focus, as Space does.
void pressOnEnter(QAbstractButton& button);

// Gives a control the focus as a key would, so that its focus mark shows:
// for a form that moves the operator on to a button after his last entry.
void focusFromKeyboard(QWidget& widget);
