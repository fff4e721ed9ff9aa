// The position dialog as a form: its load in both modes, the modal road
// through prompts(), and the operator's keys on its grid and cell editor.
#include "DatosFijos.h"

#include "positions/frmPosicionEntradas.h"

#include "core/Objetos.h"
#include "platform/Colors.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using C = PosicionEntradas;

namespace {

// Requested 10 over A (white, free 6), G (no unit, grey) and B (white, free
// 8): the proposal puts 6 into A and 4 into B; row 4 is the empty last row.
struct Forma {
    DatosFijos datos;
    frmPosicionEntradas f{nullptr, &datos};

    explicit Forma(bool automatica = false)
    {
        datos.equivalencias.insert(QStringLiteral("UN"), 1);
        datos.posicion("A", 6);
        datos.posicion("G", 50, 0, QString());
        datos.posicion("B", 8);
        f.eIdArticulo = QStringLiteral("ART1");
        f.eDescripcion = QStringLiteral("Tornillo");
        f.eIdDeposito = QStringLiteral("1");
        f.eDepositoDescripcion = QStringLiteral("Central");
        f.eUnidadArticulo = QStringLiteral("UN");
        f.eCantidadPedida = 10;
        f.ePermiteModificarCantidadesParaAbajo = true;
        f.eProposicionAutomatica = automatica;
        f.Form_Load();
    }

    FlexGrid& grid() { return *f.MSFlexGrid1; }
    TextBox& editor() { return *f.txtEdit; }
    QString cantidad(int fila) { return grid().TextMatrix(fila, C::ColCantidad); }

    // On screen and active, so that focus moves as the operator sees it.
    void muestra()
    {
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        grid().SetFocus();
        QCoreApplication::processEvents();
    }
    void enCelda(int fila, int col)
    {
        grid().setRow(fila);
        grid().setCol(col);
    }
    void teclaGrilla(Qt::Key k) { QTest::keyClick(grid().view(), k); }
    void teclaGrilla(char c) { QTest::keyClick(grid().view(), c); }
    void escribe(const char* texto) { QTest::keyClicks(&editor(), QString::fromLatin1(texto)); }
    void teclaEditor(Qt::Key k) { QTest::keyClick(&editor(), k); }
};

std::uint32_t colorDe(QLabel* l)
{
    return colors::toStored(l->palette().color(QPalette::Window));
}

}  // namespace

TEST(PositionDialogForm, LoadedForTheOperator)
{
    Forma t;
    EXPECT_FALSE(t.f.isVisible()) << "loading never shows it";
    EXPECT_EQ(t.f.windowTitle(), "Seleccion de Posiciones Deposito: (1) Central");
    EXPECT_EQ(t.f.lblEncabezado->text(), "10 (UN) ART1 - Tornillo");
    EXPECT_EQ(t.f.CmdAceptar->text(), "&Aceptar");
    EXPECT_EQ(t.f.CmdAceptar->toolTip(), "(F2) Graba la grilla");
    EXPECT_EQ(t.f.CmdCancelar->text(), "&Cancelar");
    EXPECT_EQ(t.f.CmdCancelar->toolTip(), "(ESC) Borra la grilla");
    EXPECT_EQ(t.grid().Rows(), 5);
    EXPECT_EQ(t.grid().TextMatrix(0, 6), "Disponible");
    EXPECT_EQ(t.cantidad(1), "6");
    EXPECT_EQ(t.cantidad(3), "4");
    EXPECT_EQ(t.grid().Row(), 1);
    EXPECT_EQ(t.grid().Col(), C::ColCantidad);
    EXPECT_EQ(colorDe(t.f.lblColorNormal), colorPosicion::Habilitada);
    EXPECT_EQ(colorDe(t.f.lblColorSinEquivalencias), colorPosicion::SinEquivalencias);
    EXPECT_EQ(colorDe(t.f.lblColorSinUnidadInformada), colorPosicion::SinUnidad);
    EXPECT_EQ(colorDe(t.f.lblColorPosicionInhabilitada), colorPosicion::Inhabilitada);
    EXPECT_FALSE(ObjProgreso().isOpen()) << "the progress window closes with the load";
    EXPECT_FALSE(t.f.FrmHelp->isVisible());
    EXPECT_FALSE(t.editor().Visible());
    QStringList leyenda;
    for (QLabel* l : t.f.FrmHelp->findChildren<QLabel*>())
        if (!l->text().isEmpty())
            leyenda << l->text();
    EXPECT_EQ(leyenda, QStringList({"Posicion Habilitada", "Sin Equiv. entre Art y Pos.", "Unidad no informada en Pos.",
                                    "Posicion Inhabilitada"}));
}

// A position's description longer than the sample its column was designed
// for: the column widens to show it whole, no column is narrower than its
// sample, and the form is wide enough for every column.
TEST(PositionDialogForm, ColumnsShowTheirWidestTextWhole)
{
    DatosFijos datos;
    datos.equivalencias.insert(QStringLiteral("UN"), 1);
    datos.posicion("A-01-02", 120);
    datos.filas.back().Descripcion = QStringLiteral("Rack A, nivel 2 (cajas), fondo izquierdo");
    frmPosicionEntradas f{nullptr, &datos};
    f.eIdArticulo = QStringLiteral("ART1");
    f.eUnidadArticulo = QStringLiteral("UN");
    f.eCantidadPedida = 10;
    f.Form_Load();
    const FlexGrid& g = *f.MSFlexGrid1;
    int total = 0;
    for (int c = 0; c < C::Columnas; ++c) {
        for (int r = 0; r < g.Rows(); ++r)
            EXPECT_GE(g.ColWidth(c), g.fittingWidth(g.TextMatrix(r, c))) << g.TextMatrix(r, c).toStdString();
        EXPECT_GE(g.ColWidth(c), g.textWidth(C::MuestraAncho(c))) << g.TextMatrix(0, c).toStdString();
        total += g.ColWidth(c);
    }
    EXPECT_GT(f.width(), twips::toPixels(total));
}

TEST(PositionDialogForm, TheLegendShowsAndHides)
{
    Forma t;
    t.muestra();
    t.f.ImgHelp->click();
    EXPECT_TRUE(t.f.FrmHelp->isVisible());
    t.f.ImgHelp->click();
    EXPECT_FALSE(t.f.FrmHelp->isVisible());
    t.f.ImgHelp->click();
    QTest::mouseClick(t.f.lblEncabezado, Qt::LeftButton);
    EXPECT_FALSE(t.f.FrmHelp->isVisible()) << "a click on the header hides it";
    t.f.ImgHelp->click();
    t.f.CmdAceptar->setFocus();
    t.grid().SetFocus();
    EXPECT_FALSE(t.f.FrmHelp->isVisible()) << "the grid taking the focus hides it";
}

TEST(PositionDialogForm, AutomaticModeProposesAndAcceptsWithoutShowing)
{
    ScopedPrompts p;  // nothing may be shown
    Forma t(true);
    EXPECT_FALSE(t.f.isVisible());
    EXPECT_EQ(t.f.result(), QDialog::Accepted);
    EXPECT_EQ(t.f.eCantidadPedida, 10);
    EXPECT_EQ(t.f.Posiciones, "|A|B|");
    EXPECT_EQ(t.f.Cantidades, "|6|4|");
    EXPECT_EQ(t.grid().Row(), 1) << "the current cell is not moved";
    EXPECT_EQ(t.grid().Col(), 1);
    EXPECT_NE(colorDe(t.f.lblColorPosicionInhabilitada), colorPosicion::Inhabilitada) << "swatches keep their design";
    EXPECT_TRUE(p.shown().empty());
}

TEST(PositionDialogForm, ALoadThatFailsLeavesNoAnswerToSave)
{
    for (const bool automatica : {true, false}) {
        DatosFijos datos;
        datos.falla = true;
        frmPosicionEntradas f(nullptr, &datos);
        f.eCantidadPedida = 10;
        f.eProposicionAutomatica = automatica;
        f.Posiciones = QStringLiteral("|A|");
        f.Cantidades = QStringLiteral("|10|");
        EXPECT_THROW(f.Form_Load(), RuntimeError) << "the error reaches the caller";
        EXPECT_EQ(f.eCantidadPedida, 0);
        EXPECT_EQ(f.Posiciones, "");
        EXPECT_EQ(f.Cantidades, "");
        EXPECT_FALSE(ObjProgreso().isOpen());
    }
}

TEST(PositionDialogForm, ShownModallyThroughThePromptsSeam)
{
    struct Caso {
        const char* nombre;
        std::function<void(frmPosicionEntradas&)> operador;
        int resultado;
        double pedida;
        const char* posiciones;
        const char* cantidades;
    } casos[] = {
        {"Aceptar", [](frmPosicionEntradas& d) { d.CmdAceptar->click(); }, QDialog::Accepted, 10, "|A|B|", "|6|4|"},
        {"F2", [](frmPosicionEntradas& d) { QTest::keyClick(d.MSFlexGrid1->view(), Qt::Key_F2); }, QDialog::Accepted,
         10, "|A|B|", "|6|4|"},
        {"Cancelar", [](frmPosicionEntradas& d) { d.CmdCancelar->click(); }, QDialog::Rejected, 0, "", ""},
        {"Esc", [](frmPosicionEntradas& d) { QTest::keyClick(d.MSFlexGrid1->view(), Qt::Key_Escape); },
         QDialog::Rejected, 0, "", ""},
        {"closing the window cancels",
         [](frmPosicionEntradas& d) {
             d.show();
             d.close();
         },
         QDialog::Rejected, 0, "", ""},
    };
    for (const auto& c : casos) {
        Forma t;
        t.f.Posiciones = QStringLiteral("|A|");  // what the line held before; a cancel must drop it
        t.f.Cantidades = QStringLiteral("|1|");
        ScopedPrompts p;
        p.onModal(QStringLiteral("frmPosicionEntradas"), [&](QDialog& d) {
            c.operador(static_cast<frmPosicionEntradas&>(d));
            return d.result();
        });
        EXPECT_EQ(prompts().showModal(t.f), c.resultado) << c.nombre;
        EXPECT_FALSE(t.f.isVisible()) << c.nombre;
        EXPECT_EQ(t.f.eCantidadPedida, c.pedida) << c.nombre;
        EXPECT_EQ(t.f.Posiciones, c.posiciones) << c.nombre;
        EXPECT_EQ(t.f.Cantidades, c.cantidades) << c.nombre;
    }
}

TEST(PositionDialogForm, ALowerTotalAsksBeforeChangingTheRequestedQuantity)
{
    Forma t;
    t.grid().setTextMatrix(3, C::ColCantidad, QStringLiteral("0"));
    ScopedPrompts p;
    p.answerMessage(prompt::No, "son inferiores");
    t.f.CmdAceptar_Click();
    EXPECT_EQ(t.f.result(), 0) << "No keeps the dialog open";
    p.answerMessage(prompt::Yes, "son inferiores");
    t.f.CmdAceptar_Click();
    EXPECT_EQ(t.f.result(), QDialog::Accepted);
    EXPECT_EQ(t.f.eCantidadPedida, 6);
    EXPECT_EQ(t.f.Posiciones, "|A|");
    EXPECT_EQ(t.f.Cantidades, "|6|");
}

TEST(PositionDialogEditor, OpensOnlyOnAWhiteQuantityCell)
{
    Forma t;
    t.muestra();
    t.enCelda(1, C::ColCantidad);
    t.teclaGrilla('5');
    EXPECT_TRUE(t.editor().Visible());
    EXPECT_EQ(t.editor().text(), "5");
    EXPECT_EQ(t.editor().SelStart(), 1);
    EXPECT_EQ(t.editor().dataField(), "Cantidad");
    EXPECT_EQ(t.editor().maxLength(), 11);
    EXPECT_TRUE(t.editor().hasFocus());

    t.teclaEditor(Qt::Key_Escape);  // the form takes Esc first: the dialog cancels
    EXPECT_EQ(t.f.result(), QDialog::Rejected);

    Forma u;
    u.muestra();
    u.enCelda(1, C::ColCantidad);
    u.teclaGrilla(Qt::Key_Space);
    EXPECT_EQ(u.editor().text(), "6") << "a control key opens it with the cell's text";
    EXPECT_EQ(u.editor().SelStart(), 1);
    u.grid().SetFocus();  // commits the unchanged text
    EXPECT_FALSE(u.editor().Visible());

    u.enCelda(2, C::ColCantidad);
    u.teclaGrilla('3');
    EXPECT_FALSE(u.editor().Visible()) << "a grey row does not open";
    EXPECT_EQ(u.grid().Row(), 3) << "the key moves down instead";

    u.enCelda(4, C::ColCantidad);
    u.teclaGrilla('3');
    EXPECT_FALSE(u.editor().Visible());
    EXPECT_TRUE(u.f.CmdAceptar->hasFocus()) << "on the last row the focus goes to Aceptar";

    u.enCelda(3, C::ColDescripcion);
    u.teclaGrilla('3');
    EXPECT_FALSE(u.editor().Visible()) << "only the quantity column opens";

    u.enCelda(3, C::ColCantidad);
    QTest::mouseDClick(u.grid().view()->viewport(), Qt::LeftButton, {},
                       u.grid().view()->visualRect(u.grid().view()->model()->index(2, C::ColCantidad - 1)).center());
    EXPECT_TRUE(u.editor().Visible()) << "a double click opens it as a space would";
    EXPECT_EQ(u.editor().text(), "4");
}

TEST(PositionDialogEditor, EnterCommitsAndMovesToTheNextRowUpAndDownMove)
{
    Forma t;
    t.muestra();
    t.enCelda(1, C::ColCantidad);
    t.teclaGrilla('2');
    t.teclaEditor(Qt::Key_Enter);
    EXPECT_EQ(t.cantidad(1), "2");
    EXPECT_FALSE(t.editor().Visible());
    EXPECT_EQ(t.grid().Row(), 2);
    EXPECT_EQ(t.grid().Col(), C::ColCantidad);

    t.enCelda(3, C::ColCantidad);
    t.teclaGrilla('7');
    t.teclaEditor(Qt::Key_Up);
    EXPECT_EQ(t.cantidad(3), "7");
    EXPECT_EQ(t.grid().Row(), 2);
    EXPECT_EQ(t.grid().Col(), C::ColCantidad);

    t.enCelda(1, C::ColCantidad);
    t.teclaGrilla('1');
    t.teclaEditor(Qt::Key_Up);
    EXPECT_EQ(t.grid().Row(), 1) << "Up on the first data row does not move";
    t.teclaGrilla('1');
    t.teclaEditor(Qt::Key_Down);
    EXPECT_EQ(t.grid().Row(), 2);
    EXPECT_EQ(t.grid().Col(), 0) << "Down lands on column 0";

    t.enCelda(3, C::ColCantidad);
    t.teclaGrilla('3');
    t.teclaEditor(Qt::Key_Return);
    EXPECT_EQ(t.grid().Row(), 4) << "after the last position comes the empty row";
    EXPECT_TRUE(t.f.CmdAceptar->hasFocus());
    EXPECT_EQ(t.cantidad(3), "3");
}

// A clerk at the keyboard: the editor's road ends on "Aceptar", which shows
// its focus mark, and Enter on a focused button presses it.
TEST(PositionDialogEditor, TheKeyboardReachesAceptarWithItsMarkAndEnterPressesTheFocusedButton)
{
    struct Caso {
        const char* nombre;
        int fila;
        std::vector<Qt::Key> teclas;  // after the road has reached Aceptar
        Qt::Key enter;
        int resultado;
        const char* cantidades;
    } casos[] = {
        {"Enter after the last position's quantity", 3, {}, Qt::Key_Return, QDialog::Accepted, "|6|4|"},
        {"a key on the empty last row", 4, {}, Qt::Key_Return, QDialog::Accepted, "|6|4|"},
        {"the keypad's Enter", 3, {}, Qt::Key_Enter, QDialog::Accepted, "|6|4|"},
        {"Tab on to Cancelar, then Enter", 3, {Qt::Key_Tab}, Qt::Key_Return, QDialog::Rejected, ""},
    };
    for (const auto& c : casos) {
        Forma t;
        t.muestra();
        t.enCelda(c.fila, C::ColCantidad);
        t.teclaGrilla('4');
        if (t.editor().Visible())
            t.teclaEditor(Qt::Key_Return);
        ASSERT_TRUE(t.f.CmdAceptar->hasFocus()) << c.nombre;
        QStyleOptionButton marca;  // what the style reads to draw the focus mark
        marca.initFrom(t.f.CmdAceptar);
        EXPECT_TRUE(marca.state & QStyle::State_HasFocus) << c.nombre;
        EXPECT_TRUE(marca.state & QStyle::State_KeyboardFocusChange) << c.nombre << ": the focus mark shows";

        QWidget* boton = t.f.CmdAceptar;
        for (Qt::Key k : c.teclas) {
            QTest::keyClick(QApplication::focusWidget(), k);
            boton = QApplication::focusWidget();
        }
        ASSERT_TRUE(boton == t.f.CmdAceptar || boton == t.f.CmdCancelar) << c.nombre;
        QTest::keyClick(boton, c.enter);
        EXPECT_EQ(t.f.result(), c.resultado) << c.nombre;
        EXPECT_FALSE(t.f.isVisible()) << c.nombre;
        EXPECT_EQ(t.f.Cantidades, c.cantidades) << c.nombre;
    }
}

TEST(PositionDialogEditor, EscInTheEditorKeepsTheCellsOldValue)
{
    Forma t;
    t.muestra();
    t.enCelda(1, C::ColCantidad);
    t.teclaGrilla('9');
    t.f.EditKeyCode(t.grid(), t.editor(), keys::Escape, 0);
    EXPECT_FALSE(t.editor().Visible());
    EXPECT_EQ(t.cantidad(1), "6");
    EXPECT_TRUE(t.grid().view()->hasFocus());
}

TEST(PositionDialogEditor, ARefusedQuantityIsClearedAndTheOperatorComesBackToItsRow)
{
    struct Caso {
        const char* texto;
        const char* mensaje;
    } casos[] = {
        {"abc", "Debe Ingresar un Valor Numerico"},
        {"9", "El Valor Ingresado supera la capacidad Disponible de la Posicion "},
        {"-1", "Debe Ingresar un Valor Positivo"},
    };
    for (const auto& c : casos) {
        Forma t;
        t.muestra();
        t.enCelda(3, C::ColCantidad);
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, QString::fromLatin1(c.mensaje));
        t.teclaGrilla(c.texto[0]);
        t.escribe(c.texto + 1);
        t.teclaEditor(Qt::Key_Enter);
        ASSERT_EQ(p.shown().size(), 1u) << c.texto;
        EXPECT_EQ(p.shown()[0].title, "Aviso al operador...");
        EXPECT_EQ(p.shown()[0].style, prompt::OkOnly | prompt::Critical);
        EXPECT_EQ(t.cantidad(3), "") << c.texto << ": the refused quantity ends as an empty cell";
        EXPECT_EQ(t.grid().Row(), 3) << c.texto << ": back on its own row";
        EXPECT_FALSE(t.editor().Visible()) << c.texto;
    }
}

TEST(PositionDialogEditor, DeleteWritesZeroIntoAnyPositionRow)
{
    Forma t;
    t.muestra();
    t.enCelda(2, C::ColDescripcion);
    t.teclaGrilla(Qt::Key_Delete);
    EXPECT_EQ(t.cantidad(2), "0") << "a grey row too";
    t.enCelda(4, C::ColCantidad);
    t.teclaGrilla(Qt::Key_Delete);
    EXPECT_EQ(t.cantidad(4), "") << "not the empty row";
}

TEST(PositionDialogEditor, AQuantityStillInTheEditorCountsWhenAccepting)
{
    Forma t;
    t.muestra();
    t.enCelda(3, C::ColCantidad);
    t.teclaGrilla('2');
    ScopedPrompts p;
    p.answerMessage(prompt::Yes, "son inferiores");
    t.f.CmdAceptar->click();
    EXPECT_EQ(t.f.result(), QDialog::Accepted);
    EXPECT_EQ(t.f.Cantidades, "|6|2|");
    EXPECT_EQ(t.f.eCantidadPedida, 8);

    Forma u;
    u.muestra();
    u.enCelda(3, C::ColCantidad);
    u.teclaGrilla('9');
    ScopedPrompts q;
    q.answerMessage(prompt::Ok, "supera la capacidad");
    u.f.CmdAceptar->click();
    EXPECT_EQ(u.f.result(), 0) << "a refused quantity keeps the dialog open";
    EXPECT_EQ(u.cantidad(3), "");
}
