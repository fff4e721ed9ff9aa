#include "platform/TextBox.h"
#include "platform/Keys.h"

#include <QTest>
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

TEST(TextBoxTest, KeyPressHandlersFilterAndReplaceTypedCharacters)
{
    TextBox box;
    QObject::connect(&box, &TextBox::KeyPress, [](int& ascii) {
        if (ascii == 'x')
            ascii = 0;
        else if (ascii == ',')
            ascii = '.';
    });
    QTest::keyClicks(&box, "1x2,5");
    EXPECT_EQ(box.text(), "12.5");
}

TEST(TextBoxTest, AZeroedKeyCodeStopsTheBoxsOwnEditingKeysButNotTyping)
{
    TextBox box;
    box.setText("abc");
    box.setSelStart(1000);
    EXPECT_EQ(box.SelStart(), 3);
    QList<int> codes;
    QObject::connect(&box, &TextBox::KeyDown, [&](int& code, int) {
        codes << code;
        code = 0;
    });
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Home);
    EXPECT_EQ(box.SelStart(), 3);
    QTest::keyClick(&box, Qt::Key_D);
    EXPECT_EQ(box.text(), "abcd");
    EXPECT_EQ(codes, QList<int>({keys::Left, keys::Home, 'D'}));
}

TEST(TextBoxTest, GeometryIsInTwipsInsideTheParent)
{
    TextBox box;
    box.Move(1500, 300, 900, 240);
    EXPECT_EQ(box.geometry(), QRect(100, 20, 60, 16));
    EXPECT_EQ(box.Left(), 1500);
    EXPECT_EQ(box.Height(), 240);
    box.Move(30, 45);
    EXPECT_EQ(box.geometry(), QRect(2, 3, 60, 16));
}
