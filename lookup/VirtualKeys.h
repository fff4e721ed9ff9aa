#pragma once

class QKeyEvent;

// Keys as the handlers compare them: the platform's virtual-key codes and
// shift state (1 Shift, 2 Ctrl, 4 Alt).
namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Prior = 33;
constexpr int Next = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Numpad0 = 96;
constexpr int F1 = 112;
constexpr int F5 = 116;

constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;

// Virtual-key code of a key event; 0 for a key without one.
int keyCode(const QKeyEvent& event);
// Shift state of a key event.
int shiftState(const QKeyEvent& event);
}  // namespace vk
