#include "grid/ColumnChooser.h"
#include "grid/FrmCampos.h"

#include <QListWidget>
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {
QStringList texts(const ColumnChooser& c)
{
    QStringList out;
    for (const auto& e : c.entries)
        out << e.text + (e.selected ? "*" : "");
    return out;
}
}  // namespace

TEST(ColumnChooserTest, ChosenColumnsComeFirstAndSelectedTheKeyIsKeptApart)
{
    ColumnChooser c;
    c.load("[A]|[B]|[C]|ID|", "", "");
    EXPECT_EQ(texts(c), QStringList({"A", "B", "C"}));
    EXPECT_EQ(c.keyEntry, "ID");
    EXPECT_EQ(c.current, 0);

    c.load("[A]|[B]|[C]|ID|", "[C], [A], ID", "0|1|");
    EXPECT_EQ(texts(c), QStringList({"C*", "A*", "B"}));
    EXPECT_EQ(c.keyEntry, "ID");
}

TEST(ColumnChooserTest, ApplyingGivesTheBracketedChoiceAndItsPositions)
{
    ColumnChooser c;
    c.load("[A]|[B]|[C]|ID|", "", "");
    EXPECT_EQ(c.apply().gCamposSel, "");
    EXPECT_EQ(c.apply().gOrdinalSel, "");
    EXPECT_EQ(c.apply().gCamposOrden, "[A], [B], [C], [ID]");

    c.entries[0].selected = true;
    c.entries[2].selected = true;
    EXPECT_EQ(c.apply().gCamposSel, "[A], [C], [ID]");
    EXPECT_EQ(c.apply().gOrdinalSel, "0|2|");

    c.selectAll();
    EXPECT_EQ(c.apply().gOrdinalSel, "0|1|2|");
}

TEST(ColumnChooserTest, AMovedEntryArrivesUnselected)
{
    ColumnChooser c;
    c.load("[A]|[B]|[C]|ID|", "", "");
    c.current = 1;
    c.entries[1].selected = true;
    EXPECT_TRUE(c.moveUp());
    EXPECT_EQ(texts(c), QStringList({"B", "A", "C"}));
    EXPECT_EQ(c.current, 0);
    EXPECT_FALSE(c.moveUp()) << "already first";

    c.entries[0].selected = true;
    c.entries[1].selected = true;
    EXPECT_EQ(c.apply().gCamposSel, "[B], [A], [ID]");
    EXPECT_EQ(c.apply().gOrdinalSel, "0|1|");

    EXPECT_TRUE(c.moveDown());
    EXPECT_TRUE(c.moveDown());
    EXPECT_FALSE(c.moveDown()) << "already last";
    EXPECT_EQ(texts(c), QStringList({"A*", "C", "B"}));
}

TEST(FrmCamposTest, TheOperatorSelectsMovesAndApplies)
{
    FrmCampos frm;
    frm.gCampos = "[A]|[B]|[C]|ID|";
    frm.Form_Load();
    QListWidget* list = frm.LstCampos();
    ASSERT_EQ(list->count(), 3);

    // Held on the down image, the entry moves on every repeat until the end.
    list->setCurrentRow(0);
    frm.ImgBajar_MouseDown(1);
    for (int i = 0; i < 4; ++i)
        frm.repeatMove();
    frm.ImgBajar_MouseUp(1);
    frm.repeatMove();
    EXPECT_EQ(list->item(2)->text(), "A");
    EXPECT_EQ(frm.findChild<QFrame*>("shpBajar")->isVisible(), false);

    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    frm.cmdAplicar_Click();
    EXPECT_FALSE(frm.Cancelar);
    EXPECT_EQ(frm.gCamposSel, "[B], [A], [ID]");
    EXPECT_EQ(frm.gOrdinalSel, "0|2|");

    frm.Form_Load();
    frm.reject();
    EXPECT_TRUE(frm.Cancelar) << "closing the window cancels";
}
