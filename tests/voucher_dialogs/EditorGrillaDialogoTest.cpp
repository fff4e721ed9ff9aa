// The grid editor of the detail dialogs, driven by the operator's keys over
// a dialog with the settings of the lot-and-position dialog (one quantity
// column) or of the lot-and-series entry mode (several text columns).
#include "voucher_dialogs/EditorGrillaDialogo.h"

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"
#include "tests/voucher_dialogs/TecleaEnGrilla.h"

#include <QDialog>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const AjustesEditorGrilla kCantidad{{4}, {4}, 4, -1};
const AjustesEditorGrilla kTextos{{1, 2, 3}, {}, 2, 1};

// Rows 1 to 3 of five columns, the first fixed; column 4 holds "0" and
// the check refuses "99".
struct Dialogo : QDialog {
    FlexGrid* grid = new FlexGrid(this);
    TextBox* txtEdit = new TextBox(this);
    QPushButton* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    QStringList validados;
    EditorGrillaDialogo editor;

    explicit Dialogo(const AjustesEditorGrilla& ajustes)
        : editor(*grid, *txtEdit, *aceptar,
                 [this](TextBox& t) {
                     validados << t.text();
                     return t.text() == QStringLiteral("99");
                 },
                 ajustes)
    {
        grid->setCols(5);
        grid->setRows(4);
        grid->setFixedCols(1);
        grid->setGeometry(0, 0, 400, 150);
        aceptar->setGeometry(0, 160, 80, 25);
        for (int r = 1; r < 4; ++r)
            grid->setTextMatrix(r, 4, QStringLiteral("0"));
        txtEdit->setVisible(false);
        resize(400, 200);
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
        activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
        grid->SetFocus();
    }

    void teclea(const QString& teclas) { TecleaEnGrilla(*grid, *txtEdit, teclas); }
    QString columna(int col) const
    {
        QStringList t;
        for (int r = 1; r < grid->Rows(); ++r)
            t << grid->TextMatrix(r, col);
        return t.join(u'|');
    }
};

}  // namespace

TEST(EditorGrillaDialogo, KeysGiveCellTextRowAndColumn)
{
    struct Caso {
        const char* caso;
        const AjustesEditorGrilla& ajustes;
        int fila, col;
        const char* teclas;
        int columnaVista;     // the column whose cells are compared
        const char* celdas;   // rows 1 to 3 of that column
        int filaDespues, colDespues;
        const char* editorAbierto;  // the open editor's text; nullptr: hidden
        const char* validados;
    } casos[] = {
        {"a digit opens the editor holding it", kCantidad, 1, 4, "5", 4, "0|0|0", 1, 4, "5", ""},
        {"Enter on the grid opens it with the cell's text", kCantidad, 1, 4, "Enter", 4, "0|0|0", 1, 4, "0", ""},
        {"Enter checks, commits and goes down", kCantidad, 1, 4, "1 2 Enter", 4, "12|0|0", 2, 4, nullptr, "12"},
        {"Esc drops the text unchecked", kCantidad, 1, 4, "5 Esc", 4, "0|0|0", 1, 4, nullptr, ""},
        {"a refusal keeps the editor open", kCantidad, 2, 4, "9 9 Enter", 4, "0|0|0", 2, 4, "99", "99"},
        {"Esc leaves a refused text", kCantidad, 2, 4, "9 9 Enter Esc", 4, "0|0|0", 2, 4, nullptr, "99"},
        {"a refusal mended goes on", kCantidad, 2, 4, "9 9 Enter Backspace Enter", 4, "0|9|0", 3, 4, nullptr,
         "99,9"},
        {"Up commits and goes up", kCantidad, 2, 4, "3 Up", 4, "0|3|0", 1, 4, nullptr, "3"},
        {"Down commits and goes to the first column", kCantidad, 1, 4, "3 Down", 4, "3|0|0", 2, 0, nullptr, "3"},
        {"Enter on the last row stays there", kCantidad, 3, 4, "4 Enter", 4, "0|0|4", 3, 4, nullptr, "4"},
        {"a column that is not editable opens nothing", kCantidad, 1, 3, "5", 3, "||", 1, 3, nullptr, ""},
        {"text columns: Enter in the last one goes down", kTextos, 1, 2, "L1 Enter", 2, "L1||", 2, 2, nullptr, "L1"},
        {"text columns: Enter in another one stays", kTextos, 1, 3, "x Enter", 3, "x||", 1, 3, nullptr, "x"},
        {"text columns: Enter on the last row goes to column 1", kTextos, 3, 2, "L3 Enter", 2, "||L3", 3, 1, nullptr,
         "L3"},
    };
    for (const auto& c : casos) {
        Dialogo d(c.ajustes);
        d.grid->setRow(c.fila);
        d.grid->setCol(c.col);
        d.teclea(QString::fromLatin1(c.teclas));
        EXPECT_EQ(d.columna(c.columnaVista), c.celdas) << c.caso;
        EXPECT_EQ(d.grid->Row(), c.filaDespues) << c.caso;
        EXPECT_EQ(d.grid->Col(), c.colDespues) << c.caso;
        EXPECT_EQ(d.txtEdit->Visible(), c.editorAbierto != nullptr) << c.caso;
        if (c.editorAbierto) {
            EXPECT_EQ(d.txtEdit->text(), c.editorAbierto) << c.caso;
        }
        EXPECT_EQ(d.validados.join(u','), c.validados) << c.caso;
    }
}

TEST(EditorGrillaDialogo, EnterOnTheLastRowOfTheQuantitiesGivesTheFocusToAcceptWithItsMark)
{
    Dialogo d(kCantidad);
    d.grid->setRow(3);
    d.grid->setCol(4);
    d.teclea(QStringLiteral("4 Enter"));
    EXPECT_TRUE(d.aceptar->hasFocus());
    // What the style reads to draw the focus mark on the button.
    QStyleOptionButton opcion;
    opcion.initFrom(d.aceptar);
    EXPECT_TRUE(opcion.state & QStyle::State_HasFocus);
    EXPECT_TRUE(opcion.state & QStyle::State_KeyboardFocusChange) << "the focus mark shows";
}

TEST(EditorGrillaDialogo, ATextStillOpenIsCheckedBeforeAnAcceptOrAMove)
{
    Dialogo d(kCantidad);
    d.grid->setRow(1);
    d.grid->setCol(4);
    d.teclea(QStringLiteral("7"));
    EXPECT_TRUE(d.editor.Confirma()) << "the accept takes the typed text";
    EXPECT_EQ(d.columna(4), "7|0|0");
    EXPECT_FALSE(d.txtEdit->Visible());

    d.teclea(QStringLiteral("9 9"));
    EXPECT_FALSE(d.editor.Confirma()) << "a refused text stops the accept";
    EXPECT_TRUE(d.txtEdit->Visible());
    EXPECT_EQ(d.columna(4), "7|0|0");

    d.grid->setRow(2);  // the operator leaves the cell
    EXPECT_FALSE(d.txtEdit->Visible());
    EXPECT_EQ(d.columna(4), "7|0|0") << "a refused text leaves the cell as it was";

    d.teclea(QStringLiteral("5"));
    d.grid->setRow(3);
    EXPECT_EQ(d.columna(4), "7|5|0") << "a good text reaches the cell it was typed in";
    EXPECT_EQ(d.validados.join(u','), "7,99,99,5");
}

TEST(EditorGrillaDialogo, TheQuantityColumnsTakeNumbersOnly)
{
    Dialogo d(kCantidad);
    d.grid->setRow(1);
    d.grid->setCol(4);
    d.teclea(QStringLiteral("1 a 2,5"));
    EXPECT_EQ(d.txtEdit->text(), "12.5");
    EXPECT_EQ(d.txtEdit->dataField(), "Cantidad");
}
