// The lot-and-series dialog over the real schema: stock picked for an
// outgoing line, lots and serial numbers typed for an incoming one.
#include "voucher_dialogs/FrmCargaLotesySeries.h"
#include "core/DB_Dll.h"
#include "platform/db/Recordset.h"

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/voucher_dialogs/DialogosRegistrados.h"
#include "tests/voucher_dialogs/TecleaEnGrilla.h"
#include "tests/voucher_dialogs/VerificaDialogoDetalle.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/ListasSerieLote.h"
#include "vouchers/NumeroCelda.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using F = FrmCargaLotesySeries;

namespace {

// Depot 1: ART001 by lot (L1 10, L2 4, an empty L3), ART002 by serial number.
const char* const kStock = R"(
INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, CANTIDAD) VALUES
  ('                   ART001', '   1', 'L2', NULL, 4),
  ('                   ART001', '   1', 'L1', NULL, 10),
  ('                   ART001', '   1', 'L3', NULL, 0),
  ('                   ART001', '   2', 'L1', NULL, 50),
  ('                   ART002', '   1', NULL, 'S2', 1),
  ('                   ART002', '   1', NULL, 'S1', 1),
  ('                   ART002', '   1', NULL, 'S3', 1);
)";

// "ÿ" in a readable list: "|L1~|" is |L1ÿ|.
QString lista(const char* texto)
{
    return QString::fromLatin1(texto).replace(u'~', SeparadorLoteSerie);
}

struct Salida {
    double cantidad;
    bool lote = true;
    const char* lotes = "";      // earlier lot-and-serial list
    const char* series = "";     // earlier quantities
    const char* lotesExistentes = "";
    const char* seriesExistentes = "";
    const char* articulo = "ART001";
};

void cargaSalida(F& f, const Salida& s)
{
    f.Cantidad = s.cantidad;
    f.Articulo = QString::fromLatin1(s.articulo);
    f.EsConsultaDeSerieLote = true;
    f.EsLote = s.lote;
    f.EsSerie = !s.lote;
    f.Deposito = QStringLiteral("   1");
    f.Lotes = lista(s.lotes);
    f.Series = QString::fromLatin1(s.series);
    f.LotesExistentes = lista(s.lotesExistentes);
    f.SeriesExistentes = QString::fromLatin1(s.seriesExistentes);
    f.CargaDatos();
}

// Each data row as "lot|serial|stock|quantity", or "value" in entry mode.
QStringList filas(const F& f)
{
    QStringList t;
    for (int r = 1; r < f.MSFlexGrid1->Rows(); ++r) {
        if (!f.EsConsultaDeSerieLote) {
            t << f.MSFlexGrid1->TextMatrix(r, F::ColValor);
            continue;
        }
        QStringList celdas;
        for (int c = 0; c < 4; ++c)
            celdas << f.MSFlexGrid1->TextMatrix(r, c);
        t << celdas.join(u'|');
    }
    return t;
}

}  // namespace

TEST(FrmCargaLotesySeries, OutgoingListsTheStockLessOtherLinesAndProposes)
{
    TestDatabase db(QString::fromLatin1(kStock));
    struct Caso {
        const char* caso;
        Salida salida;
        QStringList filas;
    } casos[] = {
        {"12 over lots of 10 and 4; the empty last row", {12}, {"L1||10|10", "L2||4|2", "|||0"}},
        {"3 of L1 taken by another line leaves 7", {8, true, "", "", "|L1~|", "|3|"}, {"L1||7|7", "L2||4|1", "|||0"}},
        {"a line that took all of a lot gets nothing from it, never less",
         {2, true, "", "", "|L1~|L1~|", "|6|6|"},
         {"L1||-2|0", "L2||4|2", "|||0"}},
        {"serial numbers, one unit each", {2, false, "", "", "", "", "ART002"},
         {"|S1|1|1", "|S2|1|1", "|S3|1|0", "|||0"}},
        {"the earlier choice, one item out of stock gets its row of 0", {3, true, "|L9~|L1~|", "|2|1|"},
         {"L1||10|1", "L2||4|", "L9||0|2", "|||"}},
        {"nothing in stock: the earlier item keeps its 0", {3, true, "|L9~|", "|2|", "", "", "ART009"}, {"L9||0|0"}},
        {"nothing in stock and no earlier choice: no row", {3, true, "", "", "", "", "ART009"}, {}},
    };
    for (const auto& c : casos) {
        F f;
        cargaSalida(f, c.salida);
        EXPECT_EQ(filas(f), c.filas) << c.caso;
    }
}

TEST(FrmCargaLotesySeries, CaptionHeadersAndColumnsByMode)
{
    TestDatabase db(QString::fromLatin1(kStock));
    struct Caso {
        bool entrada, lote, serie, talle;
        const char* titulo;
        const char* encabezados;
        bool anchoLote, anchoSerie;
    } casos[] = {
        {false, true, false, false, "Números de Lote (Deposito:    1)", "LOTE|SERIE|CANT. STOCK|CANT. ", true, false},
        {false, false, true, false, "Números de Serie (Deposito:    1)", "LOTE|SERIE|CANT. STOCK|CANT. ", false, true},
        {false, true, true, false, "Números de Serie (Deposito:    1)", "LOTE|SERIE|CANT. STOCK|CANT. ", false, true},
        {false, true, false, true, "Talles, Colores, Sexo (Deposito:    1)", "TALLE-COLOR-SEXO|SERIE|CANT. STOCK|CANT. ",
         true, false},
        {true, true, false, false, "Números de Lote (Deposito: )", "|ITEM|Número de Lote|", false, true},
        {true, true, true, false, "Números de Serie (Deposito: )", "|ITEM|Número de Serie|", false, true},
        {true, false, false, false, "Numeros de Serie", "|ITEM|Número de Lote|", false, true},
    };
    for (const auto& c : casos) {
        F f;
        f.EsConsultaDeSerieLote = !c.entrada;
        f.Deposito = c.entrada ? QString() : QStringLiteral("   1");
        f.EsLote = c.lote;
        f.EsSerie = c.serie;
        f.EsTalle = c.talle;
        f.Cantidad = 2;
        f.Articulo = QStringLiteral("ART001");
        f.CargaDatos();
        EXPECT_EQ(f.windowTitle(), QString::fromUtf8(c.titulo)) << c.titulo;
        QStringList encabezados;
        for (int col = 0; col < 4; ++col)
            encabezados << f.MSFlexGrid1->TextMatrix(0, col);
        EXPECT_EQ(encabezados.join(u'|'), QString::fromUtf8(c.encabezados)) << c.titulo;
        EXPECT_EQ(f.MSFlexGrid1->ColWidth(0) > 0, c.anchoLote) << c.titulo;
        EXPECT_EQ(f.MSFlexGrid1->ColWidth(1) > 0, c.anchoSerie) << c.titulo;
        EXPECT_EQ(f.MSFlexGrid1->FixedCols(), c.entrada ? 1 : 2) << c.titulo << ": outgoing, lot and serial are fixed";
        EXPECT_FALSE(f.EsSerieYLote) << c.titulo;
    }
}

TEST(FrmCargaLotesySeries, TheQuantityTakenIsAWholeNumberWithinTheRowsStock)
{
    TestDatabase db(QString::fromLatin1(kStock));
    struct Caso {
        bool lote;
        int fila;
        const char* texto;
        const char* mensaje;  // nullptr: taken
    } casos[] = {
        {true, 1, "10", nullptr},
        {true, 1, "12", "La Cantidad supera a la cantidad disponible en Stock"},
        {true, 1, "2.5", "No Puede Informase Cantidades que no Sean Enteras"},
        {true, 1, "2,5", "No Puede Informase Cantidades que no Sean Enteras"},
        {true, 2, "-1", "La Cantidad no puede ser Menor a Cero"},
        {true, 2, "x", "Debe Ingresar un Valor Numerico"},
        {true, 3, "5", nullptr},  // the empty last row has no lot
        {false, 1, "1", nullptr},
        {false, 1, "12", "La Cantidad supera a la cantidad disponible en Stock"},
        {false, 4, "1", "La Cantidad supera a la cantidad disponible en Stock"},
    };
    for (const auto& c : casos) {
        F f;
        cargaSalida(f, {1, c.lote, "", "", "", "", c.lote ? "ART001" : "ART002"});
        f.Text_Propiedades(*f.txtEdit, F::ColCantidad);
        VerificaCantidadTecleada(f, c.fila, c.texto, c.mensaje);
    }
}

TEST(FrmCargaLotesySeries, OutgoingAcceptWritesTheRowsThatTakeSomething)
{
    TestDatabase db(QString::fromLatin1(kStock));
    {
        ScopedPrompts p;
        F f;
        cargaSalida(f, {12});
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_EQ(f.Lotes, lista("|L1~|L2~|")) << "the empty last row takes 0: no item";
        EXPECT_EQ(f.Series, "|10|2|");
    }
    {
        ScopedPrompts p;
        F f;
        cargaSalida(f, {3, true, "|L9~|L1~|", "|2|1|"});
        f.MSFlexGrid1->setTextMatrix(1, F::ColCantidad, QStringLiteral("0.0"));
        f.MSFlexGrid1->setTextMatrix(2, F::ColCantidad, QStringLiteral("1"));
        f.CmdAceptar_Click();
        EXPECT_EQ(f.Lotes, lista("|L2~|L9~|")) << "blank and 0.0 read 0: no item";
        EXPECT_EQ(f.Series, "|1|2|");
    }
    {
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, QStringLiteral("El Stock es Menor a la cantidad solicitada "));
        F f;
        cargaSalida(f, {20, true, "|L1~|", "|5|"});
        f.CmdAceptar_Click();
        EXPECT_NE(f.result(), QDialog::Accepted) << "unseen, a shortfall stops the accept";
        EXPECT_EQ(f.Lotes, lista("|L1~|")) << "the earlier lists come back";
        EXPECT_EQ(f.Series, "|5|");
        EXPECT_DOUBLE_EQ(f.Cantidad, 20);
        EXPECT_EQ(p.shown().at(0).title, "Aviso al Operador!!!");
    }
    {
        ScopedPrompts p;
        p.answerMessage(prompt::Yes, QStringLiteral("Es Menor a la solicitada"));
        F f;
        f.MostrarForm = true;
        cargaSalida(f, {20});
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result(), QDialog::Accepted) << "shown, the operator takes the lower total";
        EXPECT_DOUBLE_EQ(f.Cantidad, 14);
        EXPECT_EQ(f.Series, "|10|4|");
    }
}

namespace {

// ART007's lots L01, L02, ... in depot 1, holding the quantities given (SQL
// expressions, so that a third is stored as the database keeps it: to four
// decimals, as a balance of movements of four decimals is).
QString lotes(const QStringList& cantidades)
{
    QString sql;
    for (int i = 0; i < cantidades.size(); ++i)
        sql += QStringLiteral("INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, CANTIDAD) "
                              "VALUES ('                   ART007', '   1', 'L%1', NULL, %2);\n")
                   .arg(i + 1, 2, 10, QLatin1Char('0'))
                   .arg(cantidades[i]);
    return sql;
}

// What ART007's lots hold, in lot order, as the database shows them.
std::vector<double> loQueTienen()
{
    std::vector<double> tienen;
    db::Recordset rs;
    ObjDB().AbrirRecordset(QStringLiteral("SELECT CANTIDAD FROM STK_SERIES_Y_LOTES WHERE IdArticulo = "
                                          "'                   ART007' ORDER BY NroLote"),
                           rs);
    for (; !rs.Eof(); rs.MoveNext())
        tienen.push_back(rs.value(0).toDouble());
    ObjDB().CierraRecordset(rs);
    return tienen;
}

// The outgoing request answered unseen or shown, its proposal accepted as
// it stands: the quantities list, or empty when refused.
QString aceptaSalida(double cantidad, bool mostrado, bool rechazado)
{
    F f;
    f.MostrarForm = mostrado;
    cargaSalida(f, {cantidad, true, "", "", "", "", "ART007"});
    const bool aceptada = AceptaLaPropuesta(f, rechazado, "El Stock es Menor a la cantidad solicitada ");
    EXPECT_EQ(aceptada, !rechazado);
    return aceptada ? f.Series : QString();
}

}  // namespace

// Outgoing, a request the lots cover is accepted, shown or unseen, with
// quantities that add up to it as a cell shows numbers, each no more than
// its lot holds; one unit more than the lots hold is refused. Lots of a
// tenth and two, thirds as the database keeps them, and quantities of up to
// four decimals drawn at random (a fixed seed).
TEST(FrmCargaLotesySeries, ARequestTheLotsCoverIsAcceptedWithQuantitiesThatAddUpToIt)
{
    std::vector<QStringList> casos = {{"0.1", "0.2"}, {"1.0/3", "1.0/3", "1.0/3"}, {"2.0/3", "2.0/3", "2.0/3"},
                                      {"1000", "1.0/3"}};
    std::mt19937 azar(20241210);
    for (int i = 0; i < 16; ++i) {
        QStringList cantidades;
        const int filas = std::uniform_int_distribution<int>(2, 6)(azar);
        for (int f = 0; f < filas; ++f)
            cantidades << TextoCelda(std::uniform_int_distribution<int>(1, 2000000)(azar) / 10000.0);
        casos.push_back(cantidades);
    }
    for (const QStringList& cantidades : casos) {
        const std::string caso = cantidades.join(u',').toStdString();
        TestDatabase db(lotes(cantidades));
        const std::vector<double> tiene = loQueTienen();
        ASSERT_EQ(tiene.size(), static_cast<std::size_t>(cantidades.size())) << caso;
        double todo = 0;
        for (const double t : tiene)
            todo += t;
        const double pedido = ComoCelda(todo);
        const double redondeo =
            std::pow(10.0, std::floor(std::log10(pedido)) - 14) / 2 * static_cast<double>(cantidades.size() + 1);
        for (const bool mostrado : {false, true}) {
            std::vector<QString> tomadas;
            DescomponeSerieLote(aceptaSalida(pedido, mostrado, false), tomadas);
            double suma = 0;
            for (std::size_t k = 0; k + 1 < tomadas.size(); ++k) {
                EXPECT_LE(NumeroCelda(tomadas[k]) - tiene.at(k), redondeo) << caso << ", lot " << k + 1;
                suma += NumeroCelda(tomadas[k]);
            }
            EXPECT_EQ(ComoCelda(suma), pedido) << caso << (mostrado ? ", shown" : ", unseen");
        }
        for (const bool mostrado : {false, true})
            aceptaSalida(ComoCelda(todo + 1), mostrado, true);
    }
}

// A request of 0.3 over lots of 0.1, 0.2 and 5 takes the first two whole and
// leaves the third as it was.
TEST(FrmCargaLotesySeries, ATenthAndTwoCoverThreeTenths)
{
    TestDatabase db(lotes({"0.1", "0.2", "5"}));
    ScopedPrompts p;
    F f;
    cargaSalida(f, {0.3, true, "", "", "", "", "ART007"});
    EXPECT_EQ(filas(f), QStringList({"L01||0.1|0.1", "L02||0.2|0.2", "L03||5|0", "|||0"}));
    f.CmdAceptar_Click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.Lotes, lista("|L01~|L02~|"));
    EXPECT_EQ(f.Series, "|0.1|0.2|");
}

TEST(FrmCargaLotesySeries, EntryTakesOneLotOrSerialNumberPerUnit)
{
    TestDatabase db;
    struct Caso {
        const char* caso;
        double cantidad;
        bool lote;
        const char* seriesAnt;
        const char* lotesAnt;
        QStringList filas;
        const char* mensaje;  // the accept's refusal, or nullptr
        const char* lotes;
        const char* series;
    } casos[] = {
        {"earlier lots A and B, the third unit takes row 1's", 3, true, "", "|A|B|", {"A", "B", ""}, nullptr, "|A|B|A|",
         ""},
        {"earlier serial numbers A and B: the third unit has none", 3, false, "|A|B|", "", {"A", "B", ""}, nullptr, "",
         "|A|B|-|"},
        {"the same serial number twice is refused", 3, false, "|A|B|a|", "", {"A", "B", "a"},
         "El Número de Serie a está repetido", "", ""},
        {"serial numbers, one per unit", 2.5, false, "| s1 |S2|", "", {" s1 ", "S2"}, nullptr, "", "|s1|S2|"},
        {"more earlier items than units: the rows stop", 1, true, "", "|A|B|", {"A"}, nullptr, "|A|", ""},
        {"nothing typed", 2, true, "", "", {"", ""}, nullptr, "|-|-|", ""},
    };
    for (const auto& c : casos) {
        ScopedPrompts p;
        if (c.mensaje)
            p.answerMessage(prompt::Ok, QString::fromUtf8(c.mensaje));
        F f;
        f.Cantidad = c.cantidad;
        f.EsLote = c.lote;
        f.EsSerie = !c.lote;
        f.SeriesAnteriores = QString::fromLatin1(c.seriesAnt);
        f.LotesAnteriores = QString::fromLatin1(c.lotesAnt);
        f.CargaDatos();
        EXPECT_EQ(filas(f), c.filas) << c.caso;
        EXPECT_EQ(f.MSFlexGrid1->TextMatrix(1, F::ColItem), "1") << c.caso;
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result() == QDialog::Accepted, c.mensaje == nullptr) << c.caso;
        EXPECT_EQ(f.Lotes, c.lotes) << c.caso;
        EXPECT_EQ(f.Series, c.series) << c.caso;
    }
}

TEST(FrmCargaLotesySeries, ALotTypedOnTheFirstRowFillsTheBlankRowsBelowASerialNumberDoesNot)
{
    TestDatabase db;
    struct Caso {
        const char* caso;
        bool lote;
        const char* teclas;
        QStringList filas;
        const char* lotes;
        const char* series;
    } casos[] = {
        {"a lot on row 1 fills the blank rows", true, "L7 Enter", {"L7", "X", "L7"}, "|L7|X|L7|", ""},
        {"a serial number names one unit", false, "S1 Enter", {"S1", "X", ""}, "", "|S1|X|-|"},
    };
    for (const auto& c : casos) {
        ScopedPrompts p;
        F f;
        f.Cantidad = 3;
        f.EsLote = c.lote;
        f.EsSerie = !c.lote;
        (c.lote ? f.LotesAnteriores : f.SeriesAnteriores) = QStringLiteral("||X|");
        f.CargaDatos();
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        f.MSFlexGrid1->SetFocus();
        TecleaEnGrilla(*f.MSFlexGrid1, *f.txtEdit, QString::fromLatin1(c.teclas));
        EXPECT_EQ(filas(f), c.filas) << c.caso;
        f.CmdAceptar_Click();
        EXPECT_EQ(f.result(), QDialog::Accepted) << c.caso;
        EXPECT_EQ(f.Lotes, c.lotes) << c.caso;
        EXPECT_EQ(f.Series, c.series) << c.caso;
    }
}

TEST(FrmCargaLotesySeries, TheToolbarCopiesOrClearsTheColumnBelow)
{
    TestDatabase db(QString::fromLatin1(kStock));
    F f;
    cargaSalida(f, {12});
    f.MSFlexGrid1->setRow(1);
    f.MSFlexGrid1->setCol(F::ColCantidad);
    f.Toolbar1_ButtonClick(1);
    EXPECT_EQ(filas(f), QStringList({"L1||10|10", "L2||4|10", "|||10"}));
    f.MSFlexGrid1->setRow(2);
    f.Toolbar1_ButtonClick(2);
    EXPECT_EQ(filas(f), QStringList({"L1||10|10", "L2||4|10", "|||"}));
}

TEST(FrmCargaLotesySeries, FitsOnScreen)
{
    TestDatabase db(QString::fromLatin1(kStock));
    F f;
    cargaSalida(f, {12, true, "", "", "|L1~|", "|3|"});
    f.MuestraArticulo(QStringLiteral("ART001 - Yerba"));
    VerificaQueEntra(f, QStringLiteral("FrmCargaLotesySeries.png"), {F::ColSerie});
    VerificaSoloLectura(f, {F::ColCantidad});
}

// The dialog with its own measure of a text in view.
struct ConMedida : F {
    using DialogoDetalle::AnchoParaTexto;
};

// Loaded unseen and then shown, every column is exactly as wide as the widest
// of its texts needs, or as it was laid out when none needs more, whatever the
// texts: a lot just longer than the room the column was laid out with, a long
// run of narrow letters beside a shorter run of wide ones, accents, characters
// beyond Latin-1 or combined, a tab, a long stock.
TEST(FrmCargaLotesySeries, ShownEachColumnIsAsWideAsItsWidestText)
{
    const struct {
        const char* caso;
        std::vector<const char*> lotes;  // UTF-8
        double stock;
    } casos[] = {
        {"short lots", {"L1", "L2"}, 3},
        {"as many X as the column was laid out for", {"XXXXXXXXXXXXXXXXXX", "L1"}, 3},
        {"narrow long, wide short", {"iiiiiiiiiiiiiiiiiiiiiiiii", "WWWWWWWWWWWWWWWWWWWW", "L1"}, 3},
        {"accents", {"ÑÑÑÑÑÑÑÑÑÑÑÑÑÑÑÑÑÑÑ", "ÁÉÍÓÚáéíóú@@@@@@@@@@", "L1"}, 3},
        {"beyond Latin-1", {"批次批次批次批次批次批次批次", "L1"}, 3},
        {"combined accents", {"e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301", "L1"}, 3},
        {"a tab", {"L1\tL2\tL3\tL4\tL5", "L1"}, 3},
        {"a long stock", {"L1"}, 1234567890123.5},
    };
    for (const auto& c : casos) {
        QString sql = QStringLiteral(
            "INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, CANTIDAD) VALUES ");
        for (const char* lote : c.lotes) {
            const QString texto = QString::fromUtf8(lote);
            sql += QStringLiteral("('                   ART001', '   1', '%1', NULL, %2),").arg(texto).arg(c.stock, 0, 'f', 1);
        }
        sql.chop(1);
        TestDatabase db(sql);
        ConMedida f;
        cargaSalida(f, {1});
        const FlexGrid& g = *f.MSFlexGrid1;
        std::vector<int> antes;
        for (int col = 0; col < g.Cols(); ++col)
            antes.push_back(g.ColWidth(col));
        f.show();
        for (int col = 0; col < g.Cols(); ++col) {
            int esperado = antes[static_cast<std::size_t>(col)];
            for (int r = 0; esperado > 0 && r < g.Rows(); ++r)
                esperado = std::max(esperado, f.AnchoParaTexto(g.TextMatrix(r, col)));
            EXPECT_EQ(g.ColWidth(col), esperado) << c.caso << ", column " << col;
        }
    }
}

// The demo database holds the stock of the washers' and the flour's lots: an
// outgoing line is proposed its lots, oldest first, and the balances add up.
TEST(PideSerieLote_Salidas, TheDemoStockOfLotsIsProposed)
{
    TestDatabase db({}, true);
    DialogosRegistrados dialogos;
    const ClsCmnCptes cls;
    FlexGrid articulos;
    articulos.setCols(ColArticulos::Columnas);
    articulos.setRows(2);
    const struct {
        const char* articulo;
        double cantidad;
        const char* lotes;
        const char* cantidades;
    } casos[] = {
        {"ART002", 600, "|A-2411~|A-2412~|", "|500|100|"},
        {"INSUMO01", 300, "|H2411-01~|H2411-02~|", "|250|50|"},
    };
    for (const auto& c : casos) {
        ScopedPrompts p;  // the stock covers the line: nothing to tell
        double cantidad = c.cantidad;
        QString deposito = QStringLiteral("1");
        QString lotes, cantidades;
        cls.PideSerieLote_Salidas(articulos, QLatin1String(c.articulo), QString(), cantidad, QString(), QString(), lotes,
                                  cantidades, true, false, false, deposito, false);
        EXPECT_EQ(lotes, lista(c.lotes)) << c.articulo;
        EXPECT_EQ(cantidades, QLatin1String(c.cantidades)) << c.articulo;
    }
    EXPECT_EQ(cls.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("1"), QStringLiteral("A-2412")), 300);
    EXPECT_EQ(cls.ObtieneStock(QStringLiteral("INSUMO01"), QStringLiteral("1"), QStringLiteral("Ignorar"),
                               QString()),
              2500);
    QString deposito = QStringLiteral("1");
    QString unidad = QStringLiteral("CJ");
    EXPECT_EQ(cls.ObtieneStock(QStringLiteral("ART001"), deposito, QStringLiteral("Ignorar"), QStringLiteral("Ignorar"),
                               QStringLiteral("Ignorar"), unidad),
              15);
}

TEST(PideSerieLote_Salidas, UnseenTheDialogsProposalIsTheAnswer)
{
    TestDatabase db(QString::fromLatin1(kStock));
    DialogosRegistrados dialogos;
    const ClsCmnCptes cls;
    // Another line of the voucher takes 3 of L1.
    FlexGrid articulos;
    articulos.setCols(ColArticulos::Columnas);
    articulos.setRows(2);
    articulos.setTextMatrix(1, ColArticulos::Codigo, QStringLiteral("ART001"));
    articulos.setTextMatrix(1, ColArticulos::AuxNroLote, lista("|L1~|"));
    articulos.setTextMatrix(1, ColArticulos::AuxNroSerie, QStringLiteral("|3|"));
    struct Caso {
        const char* caso;
        double cantidad;
        const char* lotesAnt;
        const char* cantidadesAnt;
        const char* mensaje;
        const char* lotes;
        const char* cantidades;
    } casos[] = {
        {"the proposal over 7 left of L1 and L2, no item of 0", 8, "", "", nullptr, "|L1~|L2~|", "|7|1|"},
        {"an earlier choice short of the quantity comes back", 20, "|L2~|", "|1|",
         "El Stock es Menor a la cantidad solicitada ", "|L2~|", "|1|"},
    };
    for (const auto& c : casos) {
        ScopedPrompts p;
        if (c.mensaje)
            p.answerMessage(prompt::Ok, QString::fromUtf8(c.mensaje));
        double cantidad = c.cantidad;
        QString deposito = QStringLiteral("1");
        QString lotes, cantidades;
        cls.PideSerieLote_Salidas(articulos, QStringLiteral("ART001"), QStringLiteral("Yerba"), cantidad, lista(c.lotesAnt),
                                  QString::fromLatin1(c.cantidadesAnt), lotes, cantidades, true, false, false, deposito, false);
        EXPECT_EQ(lotes, lista(c.lotes)) << c.caso;
        EXPECT_EQ(cantidades, c.cantidades) << c.caso;
        EXPECT_DOUBLE_EQ(cantidad, c.cantidad) << c.caso;
    }
}

// A host asks, unseen, for all that three lots of a third each hold as the
// database keeps them: the proposal is the answer, its quantities adding up
// to what was asked; a whole unit is more than they hold.
TEST(PideSerieLote_Salidas, ThreeLotsOfAThirdAreAnsweredAsTheDatabaseKeepsThem)
{
    TestDatabase db(lotes({"1.0/3", "1.0/3", "1.0/3"}));
    DialogosRegistrados dialogos;
    const ClsCmnCptes cls;
    FlexGrid articulos;
    articulos.setCols(ColArticulos::Columnas);
    articulos.setRows(2);
    for (const double pedido : {0.9999, 1.0}) {
        ScopedPrompts p;
        if (pedido == 1.0)
            p.answerMessage(prompt::Ok, QStringLiteral("El Stock es Menor a la cantidad solicitada "));
        double cantidad = pedido;
        QString deposito = QStringLiteral("1");
        QString lotesNuevos, cantidades;
        cls.PideSerieLote_Salidas(articulos, QStringLiteral("ART007"), QStringLiteral("Harina"), cantidad, QString(),
                                  QString(), lotesNuevos, cantidades, true, false, false, deposito, false);
        if (pedido == 1.0)
            continue;
        EXPECT_EQ(lotesNuevos, lista("|L01~|L02~|L03~|"));
        EXPECT_EQ(cantidades, "|0.3333|0.3333|0.3333|");
        EXPECT_DOUBLE_EQ(cantidad, 0.9999);
    }
}
