#include "platform/TextBox.h"
#include "platform/Keys.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

#include <functional>
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

// A new limit keeps the caret and the selection; a text longer than the new
// limit is cut, and its selection with it.
TEST(TextBoxTest, ANewLimitKeepsTheCaretAndTheSelection)
{
    struct Caso {
        const char* nombre;
        int desde;  // selection start, or the caret when largo is 0
        int largo;  // negative: selected backwards
        int limite;
        const char* texto;
        const char* seleccion;
        int caret;
    } casos[] = {
        {"caret inside", 2, 0, 11, "12345", "", 2},
        {"selection", 1, 3, 11, "12345", "234", 4},
        {"selection made backwards", 4, -3, 11, "12345", "234", 1},
        {"the same limit", 1, 3, 25, "12345", "234", 4},
        {"a cut text", 1, 3, 3, "123", "23", 3},
        {"a cut caret", 5, 0, 3, "123", "", 3},
    };
    for (const Caso& c : casos) {
        TextBox box;
        box.setMaxLength(25);
        box.setText(QStringLiteral("12345"));
        if (c.largo == 0)
            box.setCursorPosition(c.desde);
        else
            box.setSelection(c.desde, c.largo);
        box.setMaxLength(c.limite);
        EXPECT_EQ(box.maxLength(), c.limite) << c.nombre;
        EXPECT_EQ(box.text(), c.texto) << c.nombre;
        EXPECT_EQ(box.selectedText(), c.seleccion) << c.nombre;
        EXPECT_EQ(box.cursorPosition(), c.caret) << c.nombre;
    }
}

// A NUL character never gets into a text box, whichever way the operator
// brings it in: the edit is undone whole and one message says so. Other
// refused input (past the box's most characters) says nothing.
TEST(TextBoxTest, ANulCharacterIsRefusedWithOneMessage)
{
    const QString conNulo = QString::fromUtf16(u"L0\0T3", 5);
    struct Case {
        const char* what;
        std::function<void(TextBox&)> edit;
        const char* text;  // the box's text afterwards, from "XY" with the caret at the end
        bool message;
    } cases[] = {
        {"pasted", [&](TextBox& t) {
             QApplication::clipboard()->setText(conNulo);
             t.paste();
         }, "XY", true},
        {"pasted over a selection", [&](TextBox& t) {
             QApplication::clipboard()->setText(conNulo);
             t.selectAll();
             t.paste();
         }, "XY", true},
        {"typed through an input method", [&](TextBox& t) {
             QInputMethodEvent commit;
             commit.setCommitString(QString(QChar(u'\0')));
             QApplication::sendEvent(&t, &commit);
         }, "XY", true},
        {"a text without one", [](TextBox& t) { t.insert(QStringLiteral("L0T3")); }, "XYL0T3", false},
        {"past the most characters", [](TextBox& t) {
             t.setMaxLength(3);
             t.insert(QStringLiteral("ABC"));
         }, "XYA", false},
    };
    for (const Case& c : cases) {
        TextBox box;
        box.setText(QStringLiteral("XY"));
        box.end(false);
        ScopedPrompts s;
        if (c.message)
            s.answerMessage(prompt::Ok, QStringLiteral("carácter nulo"));
        c.edit(box);
        QCoreApplication::processEvents();
        EXPECT_EQ(box.text(), QString::fromUtf8(c.text)) << c.what;
        ASSERT_EQ(s.shown().size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_EQ(s.shown().at(0).title, QStringLiteral("Aviso al Operador")) << c.what;
        }
    }
}
