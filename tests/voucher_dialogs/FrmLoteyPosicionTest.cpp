// The lot-and-position dialog over the real schema: the balances it lists,
// its proposal, the earlier choice, the quantity check and the accept.
#include "voucher_dialogs/FrmLoteyPosicion.h"

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/voucher_dialogs/DialogosRegistrados.h"
#include "tests/voucher_dialogs/TecleaEnGrilla.h"
#include "tests/voucher_dialogs/VerificaDialogoDetalle.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ListasSerieLote.h"
#include "vouchers/NumeroCelda.h"

#include <QApplication>
#include <QLabel>
#include <QToolBar>
#include <gtest/gtest.h>
#include <cmath>
#include <random>
#include <vector>

using F = FrmLoteyPosicion;

namespace {

// ART001 is kept in units; positions A1, A2, A3 of depot 1 entered in that
// order hold 4 and 3 of lot L1 and 5 of lot L2, and 6 units came into the
// depot and wait for a position. ART002 is kept in boxes of 12 units: 2
// boxes in A1, one more in no position.
const char* const kSaldos = R"(
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES
  ('                   ART001', 'TORNILLO hexagonal', '  UN'), ('                   ART002', 'Galletas', '  CJ');
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES ('                   ART002', '  CJ', '  UN', 12);
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, ORDENINGRESO) VALUES ('   1', 'A3', 3), ('   1', 'A2', 2), ('   1', 'A1', 1);
INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) VALUES
  ('   1', 'A3', '                   ART001', 'L2', '  UN', 5),
  ('   1', 'A2', '                   ART001', 'L1', '  UN', 3),
  ('   1', 'A1', '                   ART001', 'L1', '  UN', 4),
  ('   1', 'A1', '                   ART002', NULL, '  CJ', 2);
INSERT INTO V_MV_STOCK_DRAVELO (TC, IDARTICULO, IDUNIDADBASE, CANTIDAD, IDDEPOSITO, IDPOSICION) VALUES
  ('IR', '                   ART001', '  UN', 6, '   1', NULL),
  ('IR', '                   ART002', '  CJ', 1, '   1', NULL);
)";

// Only A1 and A2: 7 in all and nothing in no position.
const char* const kPocoSaldo = R"(
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, ORDENINGRESO) VALUES ('   1', 'A1', 1), ('   1', 'A2', 2);
INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) VALUES
  ('   1', 'A1', '                   ART001', 'L1', '  UN', 4), ('   1', 'A2', '                   ART001', 'L1', '  UN', 3);
)";

// ART002 (boxes of 12 units) with balances kept in units: 10 in B1 and 8 in
// B2 of depot 1, and 4 in no position. A box is not a whole number of them.
const char* const kUnidades = R"(
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                   ART002', 'Galletas', '  CJ');
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES ('                   ART002', '  CJ', '  UN', 12);
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, ORDENINGRESO) VALUES ('   1', 'B1', 1), ('   1', 'B2', 2);
INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) VALUES
  ('   1', 'B1', '                   ART002', 'L1', '  UN', 10), ('   1', 'B2', '                   ART002', 'L2', '  UN', 8);
INSERT INTO V_MV_STOCK_DRAVELO (TC, IDARTICULO, IDUNIDADBASE, CANTIDAD, IDDEPOSITO, IDPOSICION) VALUES
  ('IR', '                   ART002', '  UN', 4, '   1', NULL);
)";

struct Pedido {
    double cantidad = 10;
    bool lotes = true;
    const char* posicionesAnt = "";
    const char* lotesAnt = "";
    const char* articulo = "ART001";
    const char* unidad = "UN";
};

void carga(F& f, const Pedido& p)
{
    f.Cantidad1 = p.cantidad;
    f.EsPosicion = true;
    f.EsLote = p.lotes;
    f.iUnidad = QString::fromLatin1(p.unidad);
    f.Articulo = QString::fromLatin1(p.articulo);
    f.ArticuloDescripcion = QStringLiteral("TORNILLO hexagonal");
    f.Deposito = QStringLiteral("1");
    f.PosicionesAnteriores = QString::fromLatin1(p.posicionesAnt);
    f.LotesAnteriores = QString::fromLatin1(p.lotesAnt);
    f.EsConsultaDePosicionLote = !f.PosicionesAnteriores.isEmpty() || !f.LotesAnteriores.isEmpty();
    f.CargaDatos();
}

// Each data row as "position|lot|unit|available|quantity".
QStringList filas(const F& f)
{
    QStringList t;
    for (int r = 1; r < f.MSFlexGrid1->Rows(); ++r) {
        QStringList celdas;
        for (int c = 0; c < 5; ++c)
            celdas << f.MSFlexGrid1->TextMatrix(r, c);
        t << celdas.join(u'|');
    }
    return t;
}

void ponCantidades(F& f, const QStringList& cantidades)
{
    for (int r = 1; r <= cantidades.size(); ++r)
        f.MSFlexGrid1->setTextMatrix(r, F::ColCantidad, cantidades[r - 1]);
}

}  // namespace

TEST(FrmLoteyPosicion, ListsBalancesFirstInFirstOutAndProposes)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    struct Caso {
        const char* caso;
        Pedido pedido;
        QStringList filas;
    } casos[] = {
        {"10 over 4, 3 and 5 gives 4, 3, 3; the depot keeps its 0", {10},
         {"A1|L1|UN|4|4", "A2|L1|UN|3|3", "A3|L2|UN|5|3", "DEPOSITO 1|||6|0"}},
        {"more than every position: the depot row last", {15},
         {"A1|L1|UN|4|4", "A2|L1|UN|3|3", "A3|L2|UN|5|5", "DEPOSITO 1|||6|3"}},
        {"positions alone: no lot, quantities empty but the proposal", {5, false},
         {"A1||UN|4|4", "A2||UN|3|1", "A3||UN|5|", "DEPOSITO 1|||6|0"}},
        {"an earlier choice, a vanished position dropped", {5, true, "|A1*2|*3|A9*1|", "|L1|||"},
         {"A1|L1|UN|4|2", "A2|L1|UN|3|0", "A3|L2|UN|5|0", "DEPOSITO 1|||6|3"}},
        {"an earlier lot that is not the row's is not shown there", {5, true, "|A1*2|", "|L2|"},
         {"A1|L1|UN|4|0", "A2|L1|UN|3|0", "A3|L2|UN|5|0", "DEPOSITO 1|||6|0"}},
        {"the earlier quantity shows whole, above what the row holds", {9, true, "|A2*9|", "|L1|"},
         {"A1|L1|UN|4|0", "A2|L1|UN|3|9", "A3|L2|UN|5|0", "DEPOSITO 1|||6|0"}},
        {"boxes shown in units, the depot's too", {30, true, "", "", "ART002", "UN"},
         {"A1||UN|24|24", "DEPOSITO 1|||12|6"}},
        {"in the article's own unit", {2, true, "", "", "ART002", "CJ"}, {"A1||CJ|2|2", "DEPOSITO 1|||1|0"}},
    };
    for (const auto& c : casos) {
        F f;
        carga(f, c.pedido);
        EXPECT_EQ(filas(f), c.filas) << c.caso;
        EXPECT_EQ(f.FilaDeposito(), f.MSFlexGrid1->Rows() - 1) << c.caso;
        EXPECT_EQ(f.MSFlexGrid1->Row(), f.MSFlexGrid1->Rows() - 1) << c.caso << ": the current cell, last row";
        EXPECT_EQ(f.MSFlexGrid1->Col(), F::ColCantidad) << c.caso;
    }
}

TEST(FrmLoteyPosicion, CaptionHeadersAndLabelByMode)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    F conLotes;
    carga(conLotes, {10});
    EXPECT_EQ(conLotes.windowTitle(), "Posiciones y Lotes (Deposito: 1)");
    EXPECT_EQ(conLotes.lblArticulo->text(), "Tornillo Hexagonal");
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(conLotes.MSFlexGrid1->TextMatrix(0, c), QStringList({"POSICION", "LOTE", "UNIDAD", "DISPONIBLE", "CANT."})[c]);

    F soloPosiciones;
    carga(soloPosiciones, {10, false});
    EXPECT_EQ(soloPosiciones.windowTitle(), "Posiciones (Deposito: 1)");
    EXPECT_EQ(soloPosiciones.MSFlexGrid1->TextMatrix(0, F::ColLote), "");
    EXPECT_EQ(soloPosiciones.MSFlexGrid1->ColWidth(F::ColLote), 0);

    F soloLotes;
    soloLotes.EsLote = true;
    soloLotes.Deposito = QStringLiteral("1");
    soloLotes.Articulo = QStringLiteral("ART001");
    soloLotes.iUnidad = QStringLiteral("UN");
    soloLotes.Cantidad1 = 2;
    soloLotes.CargaDatos();
    EXPECT_EQ(soloLotes.windowTitle(), "Números de Lote (Deposito: 1)");
    EXPECT_EQ(filas(soloLotes).first(), "A1|L1|UN|4|2") << "lots are taken from the positions that hold them";
}

TEST(FrmLoteyPosicion, TheAcceptBuildsTheListsOfTheRowsThatTakeSomething)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    struct Caso {
        const char* caso;
        bool lotes;
        QStringList cantidades;  // rows A1, A2, A3 and the depot
        const char* posiciones;
        const char* lotesEsperados;
    } casos[] = {
        {"a position and the depot", true, {"2", "0", "0", "3"}, "|A1*2|*3|", "|L1||"},
        {"quantities that read 0 take nothing", true, {" 0 ", "00", "0.00", "5"}, "|*5|", "||"},
        {"the quantity as typed", true, {"", "2.50", "2,5", ""}, "|A2*2.50|A3*2,5|", "|L1|L2|"},
        {"positions alone leave the lots", false, {"1", "4", "", ""}, "|A1*1|A2*4|", ""},
    };
    for (const auto& c : casos) {
        ScopedPrompts p;
        F f;
        carga(f, {5, c.lotes});
        ponCantidades(f, c.cantidades);
        f.CmdAceptar_Click();
        EXPECT_EQ(f.Posiciones, c.posiciones) << c.caso;
        EXPECT_EQ(f.Lotes, c.lotesEsperados) << c.caso;
        EXPECT_EQ(f.result(), QDialog::Accepted) << c.caso;
    }
}

TEST(FrmLoteyPosicion, ATotalOtherThanTheRequestAsksOrKeepsTheDialogOpen)
{
    TestDatabase db(QString::fromLatin1(kPocoSaldo));
    {
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, QStringLiteral("La suma de cantidades informadas es Menor a la cantidad solicitada "));
        F f;
        carga(f, {10});
        EXPECT_EQ(filas(f), QStringList({"A1|L1|UN|4|4", "A2|L1|UN|3|3"})) << "the shortfall stays unplaced";
        f.CmdAceptar_Click();
        EXPECT_NE(f.result(), QDialog::Accepted);
        EXPECT_EQ(f.Posiciones, "") << "nothing is built";
        EXPECT_EQ(p.shown().at(0).title, "Aviso al Operador!!!");
    }
    {
        ScopedPrompts p;
        p.answerMessage(prompt::No, QStringLiteral("supera a la solicitada"))
            .answerMessage(prompt::Ok, QStringLiteral("Debe Ajustar la suma de las cantidades a :5"))
            .answerMessage(prompt::Yes, QStringLiteral("¿Desea Ajustar la Cantidad Solicitada en el Formulario?"));
        F f;
        carga(f, {5});
        ponCantidades(f, {"4", "3"});
        f.CmdAceptar_Click();
        EXPECT_NE(f.result(), QDialog::Accepted) << "No keeps the request";
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result(), QDialog::Accepted) << "Yes takes the total";
        EXPECT_DOUBLE_EQ(f.Cantidad1, 7);
        EXPECT_EQ(f.Posiciones, "|A1*4|A2*3|");
    }
    {
        ScopedPrompts p;
        p.answerMessage(prompt::Yes, QStringLiteral("Es Menor a la solicitada"));
        F f;
        f.MostrarForm = true;
        carga(f, {10});
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result(), QDialog::Accepted) << "a dialog shown asks about a lower total";
        EXPECT_DOUBLE_EQ(f.Cantidad1, 7);
    }
}

TEST(FrmLoteyPosicion, TheTypedQuantityIsCheckedAgainstTheRow)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    F f;
    carga(f, {1});
    f.Text_Propiedades(*f.txtEdit, F::ColCantidad);
    struct Caso {
        int fila;
        const char* texto;
        const char* mensaje;  // nullptr: taken
    } casos[] = {
        {1, "4", nullptr},
        {1, "4.5", "No hay disponible para esa posicion"},
        {1, "4,0001", "No hay disponible para esa posicion"},
        {4, "6", nullptr},
        {4, "7", "No hay disponible para esa posicion"},
        {2, "-1", "La Cantidad no puede ser Menor a Cero"},
        {2, "dos", "Debe Ingresar un Valor Numerico"},
        {2, "", nullptr},
    };
    for (const auto& c : casos)
        VerificaCantidadTecleada(f, c.fila, c.texto, c.mensaje);
}

// 1.5 boxes over 10 and 8 units: every share is what its row shows at most,
// and the accept's list and total are exact, not rounded to a few decimals.
TEST(FrmLoteyPosicion, QuantitiesConvertedToTheLinesUnitAreSpreadAndCheckedExactly)
{
    TestDatabase db(QString::fromLatin1(kUnidades));
    F f;
    carga(f, {1.5, true, "", "", "ART002", "CJ"});
    EXPECT_EQ(filas(f), QStringList({"B1|L1|CJ|0.833333333333333|0.833333333333333",
                                     "B2|L2|CJ|0.666666666666667|0.666666666666667",
                                     "DEPOSITO 1|||0.333333333333333|0"}));
    for (int r = 1; r < f.MSFlexGrid1->Rows(); ++r)
        EXPECT_LE(NumeroCelda(f.MSFlexGrid1->TextMatrix(r, F::ColCantidad)),
                  NumeroCelda(f.MSFlexGrid1->TextMatrix(r, F::ColDisponible)))
            << "row " << r;

    // Typed, a quantity is compared with the row's 10 units at the
    // precision the request of 1.5 boxes has, fifteen digits.
    f.Text_Propiedades(*f.txtEdit, F::ColCantidad);
    VerificaCantidadTecleada(f, 1, "0.83334", "No hay disponible para esa posicion");
    VerificaCantidadTecleada(f, 1, "0.8333333333334", "No hay disponible para esa posicion");
    VerificaCantidadTecleada(f, 1, "0.833333333333334", nullptr);
    VerificaCantidadTecleada(f, 1, "0.833333333333333", nullptr);

    {
        ScopedPrompts p;  // the proposal covers the request: nothing to ask
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_EQ(f.Posiciones, "|B1*0.833333333333333|B2*0.666666666666667|");
        EXPECT_EQ(f.Lotes, "|L1|L2|");
        EXPECT_DOUBLE_EQ(f.Cantidad1, 1.5);
    }
    {
        // Short in the fifth decimal: not the request.
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, QStringLiteral("La suma de cantidades informadas es Menor a la cantidad solicitada "));
        F g;
        carga(g, {1.5, true, "", "", "ART002", "CJ"});
        ponCantidades(g, {"0.83333", "0.66666"});
        g.CmdAceptar_Click();
        EXPECT_NE(g.result(), QDialog::Accepted);
        EXPECT_EQ(g.Posiciones, "");
    }
    {
        // Binary fractions add up to what the cells show: 0.1 + 0.2 is 0.3.
        ScopedPrompts p;
        F g;
        carga(g, {0.3, true, "", "", "ART002", "CJ"});
        ponCantidades(g, {"0.1", "0.2", "0"});
        g.CmdAceptar_Click();
        EXPECT_EQ(g.result(), QDialog::Accepted);
        EXPECT_EQ(g.Posiciones, "|B1*0.1|B2*0.2|");
    }
}

namespace {

// ART005, kept in units, asked for in boxes of `porCaja` units, with
// positions P01, P02, ... of depot 1 holding the units given, in that order.
struct Existencias {
    double porCaja;
    std::vector<double> unidades;
    const char* lote = "L1";
};

QString fixture(const Existencias& e)
{
    QString sql = QStringLiteral(R"(
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                   ART005', 'Tornillos', '  UN');
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES ('                   ART005', '  CJ', '  UN', %1);
)")
                      .arg(QString::number(e.porCaja, 'g', 17));
    for (std::size_t i = 0; i < e.unidades.size(); ++i) {
        const QString posicion = QStringLiteral("P%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        sql += QStringLiteral("INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, ORDENINGRESO) VALUES ('   1', '%1', %2);\n"
                              "INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) "
                              "VALUES ('   1', '%1', '                   ART005', '%3', '  UN', %4);\n")
                   .arg(posicion)
                   .arg(i + 1)
                   .arg(QLatin1String(e.lote))
                   .arg(QString::number(e.unidades[i], 'g', 17));
    }
    return sql;
}

// What the boxes the rows hold add up to, as a cell shows it: the whole
// available, asked for.
double todoEnCajas(const Existencias& e, double unidadesDeMas = 0)
{
    double cajas = unidadesDeMas / e.porCaja;
    for (const double u : e.unidades)
        cajas += u / e.porCaja;
    return ComoCelda(cajas);
}

// The request of `cajas` boxes answered unseen or shown, its proposal
// accepted as it stands: the list of positions, or empty when refused.
QString acepta(double cajas, bool mostrado, bool rechazado)
{
    F f;
    f.MostrarForm = mostrado;
    carga(f, {cajas, true, "", "", "ART005", "CJ"});
    const bool aceptada =
        AceptaLaPropuesta(f, rechazado, "La suma de cantidades informadas es Menor a la cantidad solicitada ");
    EXPECT_EQ(aceptada, !rechazado);
    return aceptada ? f.Posiciones : QString();
}

}  // namespace

// A request the rows cover is accepted, shown or unseen, with shares that
// add up to it as a cell shows numbers and never take more than a row holds
// in its own unit: the share that ends the request takes what the others
// leave. The whole available, written with the fifteen digits of a cell,
// may be more than the rows hold by the rounding of that last digit; the
// share that ends it takes that too, and nothing more. One unit more than
// the rows hold is refused. Boxes of 3, 7 and 1.5 units, 1.5 boxes over 10
// and 8 units, a large row and a small one, a row alone, and ratios and
// balances drawn at random (a fixed seed).
TEST(FrmLoteyPosicion, ARequestTheRowsCoverIsAcceptedWithSharesThatAddUpToIt)
{
    std::vector<Existencias> casos = {
        {3, {1, 1, 1}},
        {7, {1, 1, 1, 1, 1, 1, 1}},
        {1.5, {1, 1, 1}},
        {12, {10, 8}},
        {3, {1, 1, 1, 1, 1}},
        {3, {1000, 1}},
        {3, {2}},
    };
    std::mt19937 azar(20241210);
    for (int i = 0; i < 24; ++i) {
        Existencias e{std::uniform_int_distribution<int>(1001, 500000)(azar) / 10000.0, {}};
        const int filas = std::uniform_int_distribution<int>(2, 6)(azar);
        for (int f = 0; f < filas; ++f)
            e.unidades.push_back(std::uniform_int_distribution<int>(1, 2000000)(azar) / 10000.0);
        casos.push_back(e);
    }
    for (const Existencias& e : casos) {
        QStringList unidades;
        for (const double u : e.unidades)
            unidades << TextoCelda(u);
        const std::string caso = QStringLiteral("%1 per box, units %2").arg(e.porCaja).arg(unidades.join(u',')).toStdString();
        TestDatabase db(fixture(e));
        const double pedido = todoEnCajas(e);
        // Half a unit in the fifteenth digit of the request, for each row.
        const double redondeo =
            std::pow(10.0, std::floor(std::log10(pedido)) - 14) / 2 * static_cast<double>(e.unidades.size());
        for (const bool mostrado : {false, true}) {
            const QString posiciones = acepta(pedido, mostrado, false);
            std::vector<QString> lista, cantidades, lotes;
            DescomponePosicionCantidadLote(posiciones, QString(), lista, cantidades, lotes);
            double suma = 0;
            for (std::size_t k = 0; k + 1 < lista.size(); ++k) {
                const double cajas = NumeroCelda(cantidades[k]);
                const double tiene = e.unidades.at(static_cast<std::size_t>(lista[k].mid(1).toInt() - 1));
                EXPECT_LE(cajas - tiene / e.porCaja, redondeo) << caso << ", " << lista[k].toStdString();
                suma += cajas;
            }
            EXPECT_EQ(ComoCelda(suma), pedido) << caso << (mostrado ? ", shown" : ", unseen");
        }
        for (const bool mostrado : {false, true})
            acepta(todoEnCajas(e, 1), mostrado, true);
    }
}

// The case as an operator meets it: three positions of one unit each give a
// box of three, the last taking what the other two leave; that share typed
// is taken, a share typed short of the box is refused as a total.
TEST(FrmLoteyPosicion, ABoxOfThreeOverThreeUnits)
{
    TestDatabase db(fixture({3, {1, 1, 1}}));
    for (const bool mostrado : {false, true})
        EXPECT_EQ(acepta(1, mostrado, false), "|P01*0.333333333333333|P02*0.333333333333333|P03*0.333333333333334|");

    F f;
    carga(f, {1, true, "", "", "ART005", "CJ"});
    f.Text_Propiedades(*f.txtEdit, F::ColCantidad);
    VerificaCantidadTecleada(f, 3, "0.333333333333334", nullptr);
    VerificaCantidadTecleada(f, 3, "0.3333333333334", "No hay disponible para esa posicion");
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, QStringLiteral("La suma de cantidades informadas es Menor a la cantidad solicitada "));
    ponCantidades(f, {"0.333333333333333", "0.333333333333333", "0.333333333333333"});
    f.CmdAceptar_Click();
    EXPECT_NE(f.result(), QDialog::Accepted);
}

// Quantities that are no binary fractions: 0.1 and 0.2 cover 0.3, and a
// request of 0.3 over 0.1, 0.2 and 5 leaves the third row as it was.
TEST(FrmLoteyPosicion, DecimalBalancesCoverTheirSum)
{
    TestDatabase db(fixture({1, {0.1, 0.2, 5}}) + QStringLiteral(
        "INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES "
        "('                   ART005', '  UN', '  UN', 1);"));
    ScopedPrompts p;
    F f;
    carga(f, {0.3, true, "", "", "ART005", "UN"});
    EXPECT_EQ(filas(f), QStringList({"P01|L1|UN|0.1|0.1", "P02|L1|UN|0.2|0.2", "P03|L1|UN|5|0"}));
    f.CmdAceptar_Click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.Posiciones, "|P01*0.1|P02*0.2|");
}

TEST(FrmLoteyPosicion, TheToolbarFillsOrClearsTheQuantitiesBelow)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    F f;
    carga(f, {10});
    f.MSFlexGrid1->setRow(2);
    f.MSFlexGrid1->setCol(F::ColDisponible);
    f.Toolbar1_ButtonClick(1);
    EXPECT_EQ(filas(f).join(u','), "A1|L1|UN|4|4,A2|L1|UN|3|3,A3|L2|UN|5|3,DEPOSITO 1|||6|0") << "only on CANT.";
    f.MSFlexGrid1->setCol(F::ColCantidad);
    f.Toolbar1_ButtonClick(1);
    EXPECT_EQ(filas(f).join(u','), "A1|L1|UN|4|4,A2|L1|UN|3|3,A3|L2|UN|5|3,DEPOSITO 1|||6|3");
    f.MSFlexGrid1->setRow(3);
    f.Toolbar1_ButtonClick(2);
    EXPECT_EQ(filas(f).join(u','), "A1|L1|UN|4|4,A2|L1|UN|3|3,A3|L2|UN|5|0,DEPOSITO 1|||6|0");
}

TEST(FrmLoteyPosicion, EnterOnTheLastRowReachesTheAcceptAndEnterThereAccepts)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    ScopedPrompts p;
    F f;
    carga(f, {10});
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    f.MSFlexGrid1->SetFocus();
    // The depot row, last, keeps its 0: Enter opens it, Enter leaves it.
    TecleaEnGrilla(*f.MSFlexGrid1, *f.txtEdit, QStringLiteral("Enter Enter"));
    ASSERT_EQ(QApplication::focusWidget(), f.CmdAceptar);
    QTest::keyClick(f.CmdAceptar, Qt::Key_Return);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(f.isHidden());
    EXPECT_EQ(f.Posiciones, "|A1*4|A2*3|A3*3|");
}

TEST(FrmLoteyPosicion, FitsOnScreen)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    F f;
    carga(f, {10});
    f.MuestraArticulo(QStringLiteral("ART001"));
    VerificaQueEntra(f, QStringLiteral("FrmLoteyPosicion.png"));
    // A long quantity typed on the depot row widens its column.
    f.MSFlexGrid1->SetFocus();
    TecleaEnGrilla(*f.MSFlexGrid1, *f.txtEdit, QStringLiteral("5.99999999999999 Up"));
    ASSERT_EQ(f.MSFlexGrid1->TextMatrix(4, F::ColCantidad), "5.99999999999999");
    VerificaQueEntra(f, QStringLiteral("FrmLoteyPosicion.png"));
    ASSERT_EQ(f.Toolbar1->actions().size(), 2);
    EXPECT_EQ(f.Toolbar1->actions()[0]->toolTip(), "Llenar las demas celdas con el valor de las seleccionadas");
    EXPECT_EQ(f.Toolbar1->actions()[1]->toolTip(), "Blanquear las Celdas a partir de la celda seleccionada");

    // Boxes over balances kept in units: fifteen digits show whole.
    TestDatabase cajas(QString::fromLatin1(kUnidades));
    F g;
    carga(g, {1.5, true, "", "", "ART002", "CJ"});
    VerificaQueEntra(g, QStringLiteral("FrmLoteyPosicion-cajas.png"));
    VerificaSoloLectura(g, {F::ColCantidad});
}

TEST(PidePosicionLote, TheDialogShownModallyAnswersTheRequest)
{
    TestDatabase db(QString::fromLatin1(kSaldos));
    DialogosRegistrados dialogos;
    const ClsCmnCptes cls;
    ScopedPrompts p;
    QString titulo, articulo;
    p.onModal(QStringLiteral("FrmLoteyPosicion"), [&](QDialog& d) {
        auto& f = static_cast<F&>(d);
        titulo = f.windowTitle();
        articulo = f.lblArticulo->text();
        f.MSFlexGrid1->setTextMatrix(3, F::ColCantidad, QStringLiteral("0"));
        f.MSFlexGrid1->setTextMatrix(4, F::ColCantidad, QStringLiteral("3"));
        f.CmdAceptar_Click();
        return f.result();
    });
    p.onModal(QStringLiteral("FrmLoteyPosicion"), [&](QDialog& d) {
        static_cast<F&>(d).CmdCancelar_Click();
        return d.result();
    });
    QString posiciones, lotes;
    cls.PidePosicionLote(QStringLiteral("ART001"), QStringLiteral("UN"), 10, QStringLiteral("1"), QString(), QString(),
                         posiciones, lotes, true, true);
    EXPECT_EQ(titulo, "Posiciones y Lotes (Deposito: 1)");
    EXPECT_EQ(articulo, "ART001");
    EXPECT_EQ(posiciones, "|A1*4|A2*3|*3|");
    EXPECT_EQ(lotes, "|L1|L1||");

    cls.PidePosicionLote(QStringLiteral("ART001"), QStringLiteral("UN"), 10, QStringLiteral("1"), posiciones, lotes,
                         posiciones, lotes, true, true);
    EXPECT_EQ(posiciones, "|A1*4|A2*3|*3|") << "a cancel keeps the line's lists";
    EXPECT_EQ(lotes, "|L1|L1||");
}

// A host asks for a box of three units over three positions of one unit
// each; the operator accepts the proposal as it is shown.
TEST(PidePosicionLote, ABoxOverThreeUnitsIsAnswered)
{
    TestDatabase db(fixture({3, {1, 1, 1}}));
    DialogosRegistrados dialogos;
    const ClsCmnCptes cls;
    ScopedPrompts p;
    p.onModal(QStringLiteral("FrmLoteyPosicion"), [](QDialog& d) {
        static_cast<F&>(d).CmdAceptar_Click();
        return d.result();
    });
    QString posiciones, lotes;
    cls.PidePosicionLote(QStringLiteral("ART005"), QStringLiteral("CJ"), 1, QStringLiteral("1"), QString(), QString(),
                         posiciones, lotes, true, true);
    EXPECT_EQ(posiciones, "|P01*0.333333333333333|P02*0.333333333333333|P03*0.333333333333334|");
    EXPECT_EQ(lotes, "|L1|L1|L1|");
}
