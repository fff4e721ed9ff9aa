#include "platform/Keys.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

TEST(KeysTest, TranslatesQtKeysToVirtualKeyCodes)
{
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Backspace, Qt::NoModifier, 8},   {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},  {Qt::Key_Escape, Qt::NoModifier, 27},
        {Qt::Key_Space, Qt::NoModifier, 32},      {Qt::Key_PageUp, Qt::NoModifier, 33},
        {Qt::Key_PageDown, Qt::NoModifier, 34},   {Qt::Key_Left, Qt::NoModifier, 37},
        {Qt::Key_Up, Qt::NoModifier, 38},         {Qt::Key_Right, Qt::NoModifier, 39},
        {Qt::Key_Down, Qt::NoModifier, 40},       {Qt::Key_Insert, Qt::NoModifier, 45},
        {Qt::Key_Delete, Qt::NoModifier, 46},     {Qt::Key_F1, Qt::NoModifier, 112},
        {Qt::Key_F5, Qt::NoModifier, 116},        {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_A, Qt::ShiftModifier, 65},       {Qt::Key_Z, Qt::NoModifier, 90},
        {Qt::Key_0, Qt::NoModifier, 48},          {Qt::Key_7, Qt::NoModifier, 55},
        {Qt::Key_0, Qt::KeypadModifier, 96},      {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_Minus, Qt::KeypadModifier, 109}, {Qt::Key_Period, Qt::KeypadModifier, 110},
        {Qt::Key_Clear, Qt::NoModifier, 12},      {Qt::Key_Tab, Qt::NoModifier, 9},
        {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keys::virtualKey(c.qtKey, c.modifiers), c.code) << "Qt key " << c.qtKey;
        const QKeyEvent e(QEvent::KeyPress, c.qtKey, c.modifiers);
        EXPECT_EQ(keys::virtualKey(e), c.code) << "Qt key " << c.qtKey;
    }
}

TEST(KeysTest, GivesShiftStateAndTypedCharacter)
{
    EXPECT_EQ(keys::shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(keys::shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(keys::shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(keys::shiftState(Qt::KeypadModifier), 0);

    struct Case {
        int qtKey;
        const char* text;
        int ascii;
    };
    const Case cases[] = {
        {Qt::Key_A, "a", 97},         {Qt::Key_A, "A", 65},       {Qt::Key_5, "5", 53},
        {Qt::Key_Return, "", 13},     {Qt::Key_Return, "\r", 13}, {Qt::Key_Escape, "", 27},
        {Qt::Key_Backspace, "", 8},   {Qt::Key_Delete, "\x7f", 0}, {Qt::Key_Down, "", 0},
        {Qt::Key_F2, "", 0},          {Qt::Key_Ntilde, "\xc3\xb1", 0xF1},
    };
    for (const Case& c : cases) {
        const QKeyEvent e(QEvent::KeyPress, c.qtKey, Qt::NoModifier, QString::fromUtf8(c.text));
        EXPECT_EQ(keys::keyAscii(e), c.ascii) << "Qt key " << c.qtKey;
    }
}
