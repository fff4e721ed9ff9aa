#pragma once

class QLineEdit;
class QString;

// A text box that never takes a NUL character (code 0): no database takes
// one inside a text, and SQLite ends a statement's text there. An edit that
// would bring one in (typed, pasted, dropped) is undone whole, and the
// operator is told once, after the edit, in a message box of its own.
void refuseNulCharacters(QLineEdit& edit);

// For a text that came by another road (an input box's answer): true when it
// holds a NUL character, and then the operator is told in the same words.
bool refusedForNul(const QString& text);
