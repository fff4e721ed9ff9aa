#pragma once

#include <Qt>

class QKeyEvent;

// The key codes the system's key handlers compare: the platform's
// virtual-key codes (KeyCode), the typed character code (KeyAscii) and the
// shift state. Qt key events are translated here and nowhere else.
namespace keys {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Clear = 12;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;  // F1 to F24 follow on: F(n) = F1 + n - 1.
constexpr int F2 = 113;
constexpr int F3 = 114;
constexpr int F4 = 115;
constexpr int F5 = 116;
constexpr int F6 = 117;
constexpr int F7 = 118;
constexpr int F8 = 119;

// Shift-state bits.
constexpr int ShiftMask = 1;
constexpr int ControlMask = 2;
constexpr int AltMask = 4;

// The virtual-key code of a Qt key; keypad digits and operators (with the
// keypad modifier) get their keypad codes. 0 for a key without a code.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
int virtualKey(const QKeyEvent& event);

// Shift 1, Control 2, Alt 4, added together.
int shiftState(Qt::KeyboardModifiers modifiers);

// The character code a key press types (13 for Enter, 27 for Escape, 8 for
// Backspace); 0 when it types nothing.
int keyAscii(const QKeyEvent& event);

}  // namespace keys
