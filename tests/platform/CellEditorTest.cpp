// The shared in-grid cell editor under a form whose check can refuse a value
// and keep the editor on its cell, as the start-up form's does.
#include "platform/CellEditor.h"

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"

#include <QTableView>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A grid of 12 rows: column 1 names the line (rows 1 to 10), column 2 takes
// the typed value; "mal" is refused.
struct Anfitrion : QWidget, CellEditor::Host {
    FlexGrid* grid = new FlexGrid(this);
    TextBox* editor = new TextBox(this);
    CellEditor ed{*this};
    QStringList traza;

    Anfitrion()
    {
        grid->setRows(12);
        grid->setCols(3);
        for (int r = 1; r <= 10; ++r)
            grid->setTextMatrix(r, 1, QStringLiteral("L%1").arg(r));
        grid->setGeometry(0, 0, 300, 120);
        editor->setVisible(false);
        connect(grid, &FlexGrid::KeyPress, this, [this](int& k) { ed.MsflexGridEdt(*grid, *editor, k); });
        connect(grid, &FlexGrid::GotFocus, this, [this] { CellEditor::Confirma(*grid, *editor); });
        connect(grid, &FlexGrid::LeaveCell, this, [this] { CellEditor::Confirma(*grid, *editor); });
        connect(editor, &TextBox::KeyDown, this, [this](int& k, int) { ed.TeclaEnEditor(*grid, *editor, k); });
        resize(300, 120);
    }

    int ColumnaEditable() const override { return 2; }
    bool ColEdit(long col, long row) override
    {
        return col == 2 && !grid->TextMatrix(static_cast<int>(row), 1).trimmed().isEmpty();
    }
    void TextPropiedades(TextBox& e, long column) override { e.setMaxLength(column == 2 ? 11 : 25); }
    bool ValidaEditor(TextBox& e) override
    {
        traza << QStringLiteral("valida ") + e.text();
        return e.text() == QStringLiteral("mal");
    }
    void CeldaNoEditable(FlexGrid&) override { traza << QStringLiteral("no editable"); }
    void EnterEnUltimaFila(FlexGrid&) override { traza << QStringLiteral("ultima fila"); }
    bool EnterCedeAntes() const override { return true; }

    void muestra()
    {
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
        activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
        grid->SetFocus();
    }
    void abre(int fila, const char* texto)
    {
        grid->setRow(fila);
        grid->setCol(2);
        QTest::keyClicks(grid->view(), QString::fromLatin1(texto).left(1));
        QTest::keyClicks(editor, QString::fromLatin1(texto).mid(1));
    }
};

}  // namespace

TEST(CellEditor, ARefusedValueKeepsTheEditorOnItsCell)
{
    Anfitrion a;
    a.muestra();
    a.abre(2, "mal");
    QTest::keyClick(a.editor, Qt::Key_Enter);
    EXPECT_EQ(a.traza, QStringList({"valida mal"}));
    EXPECT_TRUE(a.editor->Visible());
    EXPECT_TRUE(a.editor->hasFocus());
    EXPECT_EQ(a.grid->Row(), 2);
    EXPECT_EQ(a.grid->TextMatrix(2, 2), "") << "nothing reaches the cell";

    a.editor->setText(QStringLiteral("bien"));
    QTest::keyClick(a.editor, Qt::Key_Enter);
    EXPECT_EQ(a.grid->TextMatrix(2, 2), "bien");
    EXPECT_EQ(a.grid->Row(), 3);
    EXPECT_EQ(a.grid->Col(), 2);
    EXPECT_FALSE(a.editor->Visible());
}

TEST(CellEditor, KeysThatAreNotAdvanceKeysAreOrdinaryTyping)
{
    Anfitrion a;
    a.muestra();
    a.abre(2, "1");
    QTest::keyClick(a.editor, Qt::Key_Left);
    QTest::keyClick(a.editor, Qt::Key_Tab);
    EXPECT_TRUE(a.traza.isEmpty());
    EXPECT_EQ(a.editor->text(), "1");
}

TEST(CellEditor, CellsThatMayNotBeEditedAndTheLastRowAreTheFormsToHandle)
{
    Anfitrion a;
    a.muestra();
    a.grid->setRow(11);
    a.grid->setCol(2);
    QTest::keyClick(a.grid->view(), '4');
    EXPECT_FALSE(a.editor->Visible());
    EXPECT_EQ(a.traza, QStringList({"no editable"})) << "a line without a name";

    a.traza.clear();
    a.grid->setTextMatrix(11, 1, QStringLiteral("L11"));
    a.abre(11, "4");
    QTest::keyClick(a.editor, Qt::Key_Enter);
    EXPECT_EQ(a.traza, QStringList({"valida 4", "ultima fila"}));
    EXPECT_EQ(a.grid->Row(), 11);
    EXPECT_EQ(a.grid->TextMatrix(11, 2), "4");
}

TEST(CellEditor, EnterScrollsWhenTheNewCellFallsBelowTheGrid)
{
    Anfitrion a;
    a.muestra();
    const int arriba = a.grid->TopRow();
    int fila = 1;
    // Walk down until the current cell leaves the visible area.
    while (fila < 10 && a.grid->TopRow() == arriba) {
        a.abre(fila, "1");
        QTest::keyClick(a.editor, Qt::Key_Enter);
        ++fila;
    }
    EXPECT_GT(a.grid->TopRow(), arriba);
}
