#include "VirtualKeys.h"

#include <QKeyEvent>

namespace vk {

int keyCode(const QKeyEvent& event)
{
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (keypad ? Numpad0 : '0') + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Return;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return Space;
    case Qt::Key_PageUp: return Prior;
    case Qt::Key_PageDown: return Next;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return Down;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    case Qt::Key_Asterisk: return keypad ? 106 : 0;
    case Qt::Key_Plus: return keypad ? 107 : 0;
    case Qt::Key_Minus: return keypad ? 109 : 0;
    case Qt::Key_Period: return keypad ? 110 : 0;
    case Qt::Key_Slash: return keypad ? 111 : 0;
    default: return 0;
    }
}

int shiftState(const QKeyEvent& event)
{
    int state = 0;
    if (event.modifiers().testFlag(Qt::ShiftModifier))
        state |= ShiftMask;
    if (event.modifiers().testFlag(Qt::ControlModifier))
        state |= CtrlMask;
    if (event.modifiers().testFlag(Qt::AltModifier))
        state |= AltMask;
    return state;
}

}  // namespace vk
