// The position dialog's logic without a window: candidate rows, conversion,
// colours, the line's own positions, the quantity proposal, the check of a
// typed quantity, acceptance and the result lists.
#include "DatosFijos.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

#include <gtest/gtest.h>

using C = PosicionEntradas;

TEST(PositionDialogRows, FollowTheProposalOrderAndEndWithAnEmptyRow)
{
    Dialogo t;
    t.datos.posicion("C", 10);
    t.datos.posicion("A", 10);
    t.datos.posicion("B", 10);
    std::swap(t.datos.filas[0], t.datos.filas[2]);  // the statement orders by entry order, not by the proposal
    t.d.Carga();
    ASSERT_EQ(t.grilla.Rows(), 5);
    EXPECT_EQ(t.celda(1, C::ColPosicion), "C");
    EXPECT_EQ(t.celda(2, C::ColPosicion), "A");
    EXPECT_EQ(t.celda(3, C::ColPosicion), "B");
    EXPECT_EQ(t.celda(4, C::ColPosicion), "");
    for (int c = 0; c < C::Columnas; ++c)
        EXPECT_EQ(t.celda(0, c), C::EncabezadoColumna(c));
    EXPECT_EQ(C::EncabezadoColumna(7), "Cantidad");
    EXPECT_EQ(C::MuestraAncho(0), "PosicionXXXXX");
}

TEST(PositionDialogRows, ARowIsFoundByItsCodeWhateverItsCaseAndBlanks)
{
    Dialogo t;
    t.datos.propuesta = {QStringLiteral("p1"), QString::fromUtf8("ÑB"), QString::fromUtf8("\u212A2"), QString()};
    // As stored: in other cases and with blanks, in the statement's order;
    // the Kelvin sign of the proposal folds to the "k" stored.
    for (const char* id : {"k2", "  P1", "ñb "})
        t.datos.filas.push_back({QString::fromUtf8(id), QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("UN"),
                                 true, 10, 0});
    t.d.Carga();
    ASSERT_EQ(t.grilla.Rows(), 5);
    EXPECT_EQ(t.celda(1, C::ColPosicion), "P1");
    EXPECT_EQ(t.celda(2, C::ColPosicion), QString::fromUtf8("ñb"));
    EXPECT_EQ(t.celda(3, C::ColPosicion), "k2");
}

TEST(PositionDialogRows, NothingProposedLeavesOneEmptyRow)
{
    Dialogo t;
    t.d.eCantidadPedida = 12.5;
    t.d.eIdArticulo = QStringLiteral("  ART1");
    t.d.eUnidadArticulo = QStringLiteral("  UN");
    t.d.eDescripcion = QStringLiteral("Tornillo ");
    t.d.eIdDeposito = QStringLiteral("  1");
    t.d.eDepositoDescripcion = QStringLiteral("Central");
    t.d.Carga();
    EXPECT_EQ(t.grilla.Rows(), 2);
    EXPECT_EQ(t.celda(1, C::ColPosicion), "");
    EXPECT_EQ(t.d.Encabezado(), "12.5 (UN) ART1 - Tornillo");
    EXPECT_EQ(t.d.Titulo(), "Seleccion de Posiciones Deposito: (1) Central");
}

TEST(PositionDialogRows, ColourTable)
{
    struct Caso {
        const char* nombre;
        const char* unidad;
        QVariant habilitado;
        std::uint32_t color;
    } casos[] = {
        {"disabled without unit is grey", "", false, colorPosicion::SinUnidad},
        {"blank unit counts as none", "  ", true, colorPosicion::SinUnidad},
        {"disabled without equivalence is light grey", "KG", false, colorPosicion::SinEquivalencias},
        {"disabled with unit and equivalence is orange", "CJ", false, colorPosicion::Inhabilitada},
        {"disabled stored as 0", "CJ", 0, colorPosicion::Inhabilitada},
        {"enabled is white", "CJ", true, colorPosicion::Habilitada},
        {"enabled unknown (null) is white", "CJ", lang::null(), colorPosicion::Habilitada},
    };
    for (const auto& c : casos) {
        Dialogo t;
        t.datos.equivalencias.insert(QStringLiteral("CJ"), 12);
        t.datos.posicion("P", 10, 0, QString::fromLatin1(c.unidad), c.habilitado);
        t.d.Carga();
        for (int col = 1; col < C::Columnas; ++col)
            EXPECT_EQ(t.grilla.CellBackColor(1, col), c.color) << c.nombre << ", column " << col;
        EXPECT_EQ(t.grilla.CellBackColor(1, C::ColPosicion), 0u) << c.nombre << ": the fixed column is never painted";
    }
}

TEST(PositionDialogRows, CapacityAndFreeSpaceInTheArticlesUnit)
{
    struct Caso {
        const char* nombre;
        const char* unidadLinea;
        const char* unidadPosicion;
        double capacidad, saldo;
        const char* capacidadVista;
        const char* libreVista;
        std::uint32_t color;
    } casos[] = {
        {"100 boxes of 12 units", "UN", "CJ", 100, 30, "1200", "840", colorPosicion::Habilitada},
        {"the article's own unit without a self-equivalence: unconverted, light grey", "KG", "KG", 50, 20, "50", "30",
         colorPosicion::SinEquivalencias},
        {"units compared trimmed on both sides", "  KG", "KG  ", 50, 20, "50", "30", colorPosicion::SinEquivalencias},
        {"no unit converts to 0", "UN", "", 100, 30, "0", "0", colorPosicion::SinUnidad},
        {"no equivalence converts to 0", "UN", "PL", 100, 30, "0", "0", colorPosicion::SinEquivalencias},
        {"no capacity: the free space is minus the balance", "UN", "CJ", 0, 2, "0", "-24", colorPosicion::Habilitada},
        {"fractions", "UN", "MT", 10, 1, "2.5", "2.25", colorPosicion::Habilitada},
        {"four decimals, so a full position converted has exactly 0 free", "CJ", "PZ", 185, 185, "15.4167", "0",
         colorPosicion::Habilitada},
        {"capacity and balance each rounded to four decimals", "CJ", "PZ", 120, 119.9996, "10", "0",
         colorPosicion::Habilitada},
    };
    for (const auto& c : casos) {
        Dialogo t;
        t.datos.equivalencias = {{"CJ", 12}, {"MT", 0.25}, {"UN", 1}, {"PZ", 1.0 / 12}};
        t.d.eUnidadArticulo = QString::fromLatin1(c.unidadLinea);
        t.datos.posicion("P", c.capacidad, c.saldo, QString::fromLatin1(c.unidadPosicion));
        t.d.Carga();
        EXPECT_EQ(t.celda(1, C::ColCapacidad), c.capacidadVista) << c.nombre;
        EXPECT_EQ(t.celda(1, C::ColDisponible), c.libreVista) << c.nombre;
        EXPECT_EQ(t.grilla.CellBackColor(1, C::ColCantidad), c.color) << c.nombre;
        EXPECT_EQ(t.celda(1, C::ColUnidadPosicion), c.unidadPosicion) << c.nombre;
        EXPECT_EQ(t.celda(1, C::ColUnidadArticulo), c.unidadLinea) << c.nombre;
    }
}

// Positions: code, free space, and white unless noted.
struct Pos {
    const char* id;
    double libre;
    bool blanca = true;
};

TEST(PositionDialogFill, Table)
{
    struct Caso {
        const char* nombre;
        double pedida;
        std::vector<Pos> posiciones;
        const char* posicionesLinea;
        const char* cantidadesLinea;
        std::vector<std::pair<const char*, const char*>> esperadas;  // position -> quantity cell
        double total;
    } casos[] = {
        {"10 over free 6 and 8 gives 6 and 4", 10, {{"A", 6}, {"B", 8}}, "", "", {{"A", "6"}, {"B", "4"}}, 10},
        {"short capacity leaves a remainder", 10, {{"A", 6}}, "", "", {{"A", "6"}}, 6},
        {"negative free space is skipped, white with free 0 gets 0", 5, {{"N", -3}, {"Z", 0}, {"B", 9}}, "", "",
         {{"N", ""}, {"Z", "0"}, {"B", "5"}}, 5},
        {"rows that are not white are passed over", 5, {{"G", 50, false}, {"B", 9}}, "", "", {{"G", ""}, {"B", "5"}}, 5},
        {"the line's quantities come first, the proposal adds the remainder", 10, {{"A", 6}, {"B", 8}}, "|A|", "|4|",
         {{"A", "6"}, {"B", "4"}}, 10},
        {"held quantity already meets the request", 4, {{"A", 6}, {"B", 8}}, "|B|", "|4|", {{"A", ""}, {"B", "4"}}, 4},
        {"a remainder below 0 is never proposed", 5, {{"A", 6}, {"B", 8}}, "|B|", "|8|", {{"A", ""}, {"B", "8"}}, 8},
        {"a held position that is no candidate keeps its quantity and takes nothing", 10, {{"A", 6}}, "|X|", "|3|",
         {{"A", "6"}, {"X", "3"}}, 9},
        {"no candidates: the remainder sits in the empty row, the total stays 0", 10, {}, "", "", {}, 0},
        {"no candidates and a held position: it keeps its own quantity", 10, {}, "|X|", "|4|", {{"X", "4"}}, 4},
        {"fixed point: 0.1 and 0.2 fill 0.3", 0.3, {{"A", 0.1}, {"B", 0.2}}, "", "", {{"A", "0.1"}, {"B", "0.2"}}, 0.3},
    };
    for (const auto& c : casos) {
        Dialogo t;
        t.datos.equivalencias.insert(QStringLiteral("CJ"), 1);
        for (const Pos& p : c.posiciones)
            t.datos.posicion(QString::fromLatin1(p.id), std::max(p.libre, 0.0), std::max(-p.libre, 0.0),
                             p.blanca ? QStringLiteral("UN") : QStringLiteral("KG"));
        t.d.eCantidadPedida = c.pedida;
        t.d.Posiciones = QString::fromLatin1(c.posicionesLinea);
        t.d.Cantidades = QString::fromLatin1(c.cantidadesLinea);
        t.d.Carga();
        for (const auto& [id, cantidad] : c.esperadas)
            EXPECT_EQ(t.cantidad(t.fila(QString::fromLatin1(id))), cantidad) << c.nombre << ", position " << id;
        EXPECT_DOUBLE_EQ(t.d.CantidadEnGrilla(), c.total) << c.nombre;
    }
}

TEST(PositionDialogFill, NoCandidatesWritesTheRemainderIntoTheEmptyRowAndReturnsNothing)
{
    Dialogo t;
    t.d.eCantidadPedida = 10;
    t.d.eProposicionAutomatica = true;
    t.d.Carga();
    EXPECT_EQ(t.cantidad(1), "10");
    ASSERT_TRUE(t.d.Aceptar());
    EXPECT_EQ(t.d.eCantidadPedida, 0);
    EXPECT_EQ(t.d.Posiciones, "");
    EXPECT_EQ(t.d.Cantidades, "");
}

TEST(PositionDialogFill, AHeldPositionThatIsNoCandidateComesAfterTheEmptyRowUnpainted)
{
    Dialogo t;
    t.datos.posicion("A", 6);
    t.d.Posiciones = QStringLiteral(" |X| ");
    t.d.Cantidades = QStringLiteral("|3|");
    t.d.eCantidadPedida = 10;
    t.d.Carga();
    ASSERT_EQ(t.grilla.Rows(), 4);
    EXPECT_EQ(t.celda(2, C::ColPosicion), "");
    EXPECT_EQ(t.celda(3, C::ColPosicion), "X");
    EXPECT_EQ(t.grilla.CellBackColor(3, C::ColCantidad), 0u);
    EXPECT_EQ(t.d.Posiciones, "|X|") << "the incoming lists are kept trimmed";
}

TEST(PositionDialogLineLists, OtherLinesQuantitiesLowerTheFreeSpace)
{
    Dialogo t;
    t.datos.posicion("A", 6);
    t.datos.posicion("B", 8);
    t.d.PosicionesEnELFORMULARIO = QStringLiteral("|B|Q|");
    t.d.CantidadesEnELFORMULARIO = QStringLiteral("|5|7|");
    t.d.eCantidadPedida = 10;
    t.d.Carga();
    EXPECT_EQ(t.celda(t.fila("B"), C::ColDisponible), "3");
    EXPECT_EQ(t.cantidad(t.fila("A")), "6");
    EXPECT_EQ(t.cantidad(t.fila("B")), "3");
}

TEST(PositionDialogLineLists, AQuantityListShorterThanItsPositionsFailsTheLoad)
{
    Dialogo t;
    t.d.Posiciones = QStringLiteral("|A|B|");
    t.d.Cantidades = QStringLiteral("|4|");
    try {
        t.d.Carga();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::SubscriptOutOfRange);
    }
}

TEST(PositionDialogLineLists, AReopenedLineGetsItsStoredQuantityBackAsFreeSpace)
{
    for (const bool reabierto : {false, true}) {
        Dialogo t;
        // Capacity 10, and the balance of 8 includes the 6 this line stored in A.
        t.datos.posicion("A", 10, 8);
        t.d.eComprobanteExistente = reabierto;
        t.d.Posiciones = QStringLiteral("|A|");
        t.d.Cantidades = QStringLiteral("|6|");
        t.d.eCantidadPedida = 6;
        t.d.Carga();
        EXPECT_EQ(t.celda(1, C::ColDisponible), reabierto ? "8" : "2");
        EXPECT_EQ(t.cantidad(1), "6");
        EXPECT_EQ(t.d.RechazoCantidad(1, QStringLiteral("6")).isEmpty(), reabierto);
    }
}

TEST(PositionDialogCheck, TypedQuantityTable)
{
    struct Caso {
        const char* texto;
        double capacidad, libre;
        const char* mensaje;
    } casos[] = {
        {"", 10, 5, ""},
        {"  ", 10, 5, ""},
        {"4", 10, 5, ""},
        {" 5 ", 10, 5, ""},
        {"0", 10, 5, ""},
        {"2.5", 10, 5, ""},
        {"abc", 10, 5, "Debe Ingresar un Valor Numerico"},
        {"5x", 10, 5, "Debe Ingresar un Valor Numerico"},
        {"1,5", 10, 5, "Debe Ingresar un Valor Numerico"},
        {"-1", 10, 5, "Debe Ingresar un Valor Positivo"},
        {"-1", 0, 5, "Debe Ingresar un Valor Positivo"},
        {"6", 10, 5, "El Valor Ingresado supera la capacidad Disponible de la Posicion "},
        {"600", 0, 5, ""},  // without capacity any number passes
    };
    for (const auto& c : casos) {
        Dialogo t;
        t.datos.posicion("P", c.capacidad, c.capacidad - c.libre);
        t.d.Carga();
        EXPECT_EQ(t.d.RechazoCantidad(1, QString::fromLatin1(c.texto)), c.mensaje) << "\"" << c.texto << "\"";
    }
}

TEST(PositionDialogAcceptance, Table)
{
    const QString mas = QStringLiteral("Las Cantidades informadas superan a las pedidas en el formulario.");
    const QString menos = QStringLiteral("Las Cantidades informadas son inferiores a las pedidas en el formulario.");
    struct Caso {
        const char* nombre;
        double pedida;
        bool arriba, abajo, automatica;
        int respuesta;  // answer to the question; 0 = no question expected
        bool aviso;
        bool aceptada;
        double pedidaFinal;
    } casos[] = {
        {"equal: accepted at once", 10, false, false, false, 0, false, true, 10},
        {"less, lowering allowed, Yes", 14, false, true, false, prompt::Yes, false, true, 10},
        {"less, lowering allowed, No", 14, false, true, false, prompt::No, false, false, 14},
        {"less, lowering not allowed: warned", 14, true, false, false, 0, true, false, 14},
        {"more, raising allowed, Yes", 7, true, false, false, prompt::Yes, false, true, 10},
        {"more, raising not allowed: warned", 7, false, true, false, 0, true, false, 7},
        {"automatic: the requested becomes the informed", 14, false, false, true, 0, false, true, 10},
    };
    for (const auto& c : casos) {
        Dialogo t;
        t.datos.posicion("A", 6);
        t.datos.posicion("B", 8);
        t.d.eCantidadPedida = 10;
        t.d.Carga();
        t.d.eCantidadPedida = c.pedida;
        t.d.ePermiteModificarCantidadesParaArriba = c.arriba;
        t.d.ePermiteModificarCantidadesParaAbajo = c.abajo;
        t.d.eProposicionAutomatica = c.automatica;
        ScopedPrompts p;
        const QString primera = c.pedida > 10 ? menos : mas;
        if (c.respuesta)
            p.answerMessage(c.respuesta, primera + "\r\nDesea modificar las cantidades del formulario?");
        if (c.aviso)
            p.answerMessage(prompt::Ok, primera + "\r\nAjuste la Cantidades Informadas !\r\nCantidad Pedida= " +
                                            lang::numberText(c.pedida) + "\r\nCantidad Informada= 10");
        EXPECT_EQ(t.d.Aceptar(), c.aceptada) << c.nombre;
        EXPECT_EQ(t.d.eCantidadPedida, c.pedidaFinal) << c.nombre;
        EXPECT_EQ(t.d.Posiciones, c.aceptada ? "|A|B|" : "") << c.nombre;
        EXPECT_EQ(t.d.Cantidades, c.aceptada ? "|6|4|" : "") << c.nombre;
        for (const auto& s : p.shown()) {
            EXPECT_EQ(s.title, "") << c.nombre << ": the application's title shows";
            const int esperado = c.respuesta ? (prompt::YesNo | prompt::Question | prompt::DefaultButton2)
                                             : (prompt::OkOnly | prompt::Exclamation);
            EXPECT_EQ(s.style, esperado) << c.nombre;
        }
    }
}

TEST(PositionDialogAcceptance, ResultListsKeepOnlyPositiveQuantitiesInGridOrder)
{
    Dialogo t;
    for (const char* id : {"A", "B", "C", "D", "E"})
        t.datos.posicion(QString::fromLatin1(id), 100);
    t.d.Carga();
    t.grilla.setTextMatrix(1, C::ColCantidad, "007");
    t.grilla.setTextMatrix(2, C::ColCantidad, "0");
    t.grilla.setTextMatrix(3, C::ColCantidad, "-2");
    t.grilla.setTextMatrix(4, C::ColCantidad, "1.25");
    t.grilla.setTextMatrix(5, C::ColCantidad, "0.00004");  // 0 at four decimals, the precision rows are saved in
    t.d.TomarDatos();
    EXPECT_EQ(t.d.Posiciones, "|A|D|");
    EXPECT_EQ(t.d.Cantidades, "|7|1.25|");
    EXPECT_DOUBLE_EQ(t.d.CantidadEnGrilla(), 6.25) << "negative quantities lower the total";

    for (int f = 1; f <= 5; ++f)
        t.grilla.setTextMatrix(f, C::ColCantidad, "");
    t.d.TomarDatos();
    EXPECT_EQ(t.d.Posiciones, "") << "no lone pipe";
    EXPECT_EQ(t.d.Cantidades, "");
}

TEST(PositionDialogAcceptance, CancelReturnsZeroAndEmptyLists)
{
    Dialogo t;
    t.datos.posicion("A", 6);
    t.d.eCantidadPedida = 5;
    t.d.Posiciones = QStringLiteral("|A|");
    t.d.Cantidades = QStringLiteral("|5|");
    t.d.Carga();
    t.d.Cancelar();
    EXPECT_EQ(t.d.eCantidadPedida, 0);
    EXPECT_EQ(t.d.Posiciones, "");
    EXPECT_EQ(t.d.Cantidades, "");
}
