#include "rules/Stock.h"

#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Articles kept in boxes (CJ), one without a unit; codes stored right-justified.
// One box is 12 units; one pallet is 40 boxes; boxes and kilos have a row
// each way (the direct one must win); a direct row to tons has coefficient 0,
// a direct row to bags has coefficient 0 beside a usable reverse one.
const char* const kArticulos = R"(
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES
  ('                   ART001', 'Galletas', '  CJ'),
  ('                   ART002', 'Sin unidad', NULL),
  ('                   ART003', 'Unidad en blanco', '    ');
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
  ('                   ART001', '  CJ', '  UN', 12),
  ('                   ART001', '  PL', '  CJ', 40),
  ('                   ART001', '  CJ', '  KG', 5),
  ('                   ART001', '  KG', '  CJ', 3),
  ('                   ART001', '  CJ', '  TN', 0),
  ('                   ART001', '  CJ', '  BL', 0),
  ('                   ART001', '  BL', '  CJ', 2),
  ('                   ART002', '  UN', '  CJ', 6);
)";

}  // namespace

TEST(UnidadesArticulo, EquivalenceIsLookedUpDirectFirstThenReverse)
{
    TestDatabase db(QString::fromLatin1(kArticulos));
    struct Caso {
        const char* caso;
        const char* articulo;
        const char* unidad;
        bool encontrada;
        const char* operador;
        double coeficiente;
        const char* unidadArticulo;
        bool sinUnidad;
    } casos[] = {
        {"direct row", "ART001", "UN", true, "/", 12, "CJ", false},
        {"reverse row", "ART001", "PL", true, "*", 40, "CJ", false},
        {"direct before reverse", "ART001", "KG", true, "/", 5, "CJ", false},
        {"direct row of coefficient 0 is none", "ART001", "TN", false, "?", 0, "CJ", false},
        {"a zero direct row leaves the reverse one", "ART001", "BL", true, "*", 2, "CJ", false},
        {"no row either way", "ART001", "LT", false, "?", 0, "CJ", false},
        {"equal unit needs a row of its own", "ART001", "CJ", false, "?", 0, "CJ", false},
        {"codes right-justified in the lookup", "                   ART001", "  un ", true, "/", 12, "CJ", false},
        {"article without unit", "ART002", "CJ", false, "?", 0, "", true},
        {"article with a blank unit", "ART003", "CJ", false, "?", 0, "", true},
        {"article not in the master", "NOEXISTE", "CJ", false, "?", 0, "", true},
    };
    for (const auto& c : casos) {
        QString operador = QStringLiteral("?");
        QString unidadArticulo = QStringLiteral("old");
        double coeficiente = -1;
        bool sinUnidad = false;
        const bool encontrada = IdArticuloTieneEquivalencias(QString::fromLatin1(c.articulo), QString::fromLatin1(c.unidad),
                                                             operador, unidadArticulo, coeficiente, sinUnidad);
        EXPECT_EQ(encontrada, c.encontrada) << c.caso;
        EXPECT_EQ(operador, QString::fromLatin1(c.operador)) << c.caso;
        EXPECT_DOUBLE_EQ(coeficiente, c.coeficiente) << c.caso;
        EXPECT_EQ(unidadArticulo, QString::fromLatin1(c.unidadArticulo)) << c.caso;
        EXPECT_EQ(sinUnidad, c.sinUnidad) << c.caso;
    }
}

TEST(UnidadesArticulo, QuantitiesConvertIntoTheArticlesUnit)
{
    TestDatabase db(QString::fromLatin1(kArticulos));
    struct Caso {
        const char* caso;
        const char* articulo;
        const char* unidad;
        double cantidad;
        const char* unidadCantidad;
        double esperado;
    } casos[] = {
        {"quantity 0", "ART001", "CJ", 0, "UN", 0},
        {"equal units in another case, no row needed", "ART001", "cj", 7, "CJ", 7},
        {"equal units of an unknown article", "NOEXISTE", "KG", 7, "kg", 7},
        {"blanks count in the unit comparison", "ART001", "CJ", 24, "  CJ", 0},
        {"direct row: 24 units are 2 boxes", "ART001", "CJ", 24, "UN", 2},
        {"reverse row: 2 pallets are 80 boxes", "ART001", "CJ", 2, "PL", 80},
        {"direct before reverse", "ART001", "CJ", 10, "KG", 2},
        {"coefficient 0 under / gives 0, no division", "ART001", "CJ", 10, "TN", 0},
        {"no equivalence gives 0, not the quantity", "ART001", "CJ", 10, "LT", 0},
        {"article without unit", "ART002", "CJ", 10, "UN", 0},
        {"right-justified codes", "                   ART001", "  CJ", 36, "  UN", 3},
        {"the second unit takes no part beyond the comparison", "ART001", "PL", 36, "UN", 3},
    };
    for (const auto& c : casos)
        EXPECT_DOUBLE_EQ(ConvierteCantidadUnidad(QString::fromLatin1(c.articulo), QString::fromLatin1(c.unidad),
                                                 c.cantidad, QString::fromLatin1(c.unidadCantidad)),
                         c.esperado)
            << c.caso;
}

TEST(UnidadesArticulo, QuantitiesConvertFromOneUnitIntoAnother)
{
    TestDatabase db(QString::fromLatin1(kArticulos));
    struct Caso {
        const char* caso;
        const char* articulo;
        const char* origen;
        double cantidad;
        const char* destino;
        double esperado;
    } casos[] = {
        {"boxes, the article's unit, into units", "ART001", "  CJ", 2, "UN", 24},
        {"units into boxes", "ART001", "UN", 24, "  cj", 2},
        {"pallets into units, through boxes", "ART001", "PL", 1, "UN", 480},
        {"units into pallets", "ART001", "UN", 960, "PL", 2},
        {"equal units, blanks and case aside", "ART001", "  un", 7, "UN", 7},
        {"a unit without equivalence gives 0", "ART001", "CJ", 3, "LT", 0},
        {"an article without unit gives 0", "ART002", "CJ", 3, "UN", 0},
        {"quantity 0", "ART001", "CJ", 0, "UN", 0},
    };
    for (const auto& c : casos)
        EXPECT_DOUBLE_EQ(ConvierteEntreUnidades(QString::fromLatin1(c.articulo), QString::fromLatin1(c.origen),
                                                c.cantidad, QString::fromLatin1(c.destino)),
                         c.esperado)
            << c.caso;
}

TEST(UnidadesArticulo, UnitOfAnArticle)
{
    TestDatabase db(QString::fromLatin1(kArticulos));
    EXPECT_EQ(ObtieneUnidadArticulo(QStringLiteral("ART001")), QStringLiteral("CJ"));
    EXPECT_EQ(ObtieneUnidadArticulo(QStringLiteral("art001")), QStringLiteral("CJ"));
    EXPECT_EQ(ObtieneUnidadArticulo(QStringLiteral("ART002")), QString());
    EXPECT_EQ(ObtieneUnidadArticulo(QStringLiteral("NOEXISTE")), QString());
    EXPECT_EQ(ObtieneUnidadArticulo(QStringLiteral("O'NEIL")), QString());
}

namespace {

// Lots of INSUMO01 in depot 1 (5, 8, 4, and rows that must not count) and
// in depot 2 (5 and 3); inputs of ART001.
const char* const kLotes = R"(
INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, CANTIDAD) VALUES
  ('                 INSUMO01', '   1', 'L3', 4),
  ('                 INSUMO01', '   1', 'L1', 5),
  ('                 INSUMO01', '   1', 'L2', 8),
  ('                 INSUMO01', '   1', 'L0', 0),
  ('                 INSUMO01', '   1', NULL, 50),
  ('                 INSUMO01', '   2', 'L1', 5),
  ('                 INSUMO01', '   2', 'L2', 3),
  ('                 INSUMO02', '   1', 'L1', 9);
INSERT INTO V_MA_INSUMOS (IDARTICULO, IdArticuloInsumo, IdUnidadInsumo, Cantidad) VALUES
  ('                   ART001', 'INSUMO01', 'KG', 2.5),
  ('                   ART001', 'INSUMO02', 'UN', 1);
)";

struct Entrada {
    const char* lote;
    double cantidad;
};

void esperaEntradas(const std::vector<ItemCantidad>& entradas, std::vector<Entrada> esperadas, const char* caso)
{
    ASSERT_EQ(entradas.size(), esperadas.size()) << caso;
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
        EXPECT_EQ(entradas[i].CodigoItem, QString::fromLatin1(esperadas[i].lote).leftJustified(25)) << caso << " #" << i;
        EXPECT_EQ(entradas[i].UnidadItem, QStringLiteral("    ")) << caso << " #" << i;
        EXPECT_DOUBLE_EQ(entradas[i].CantidadItem, esperadas[i].cantidad) << caso << " #" << i;
    }
}

}  // namespace

TEST(LotesArticulo, QuantityIsSpreadOverTheLotsInLotOrder)
{
    TestDatabase db(QString::fromLatin1(kLotes));
    struct Caso {
        const char* caso;
        const char* deposito;
        double cantidad;
        bool tieneLotes;
        std::vector<Entrada> esperadas;
    } casos[] = {
        {"covered: the second lot gives what is missing", "1", 10, true, {{"L1", 5}, {"L2", 5}}},
        {"not covered: the rest without lot", "2", 10, true, {{"L1", 5}, {"L2", 3}, {"", 2}}},
        {"the depot as a ready literal", "'   1'", 10, true, {{"L1", 5}, {"L2", 5}}},
        {"covered exactly by every lot", "1", 17, true, {{"L1", 5}, {"L2", 8}, {"L3", 4}}},
        {"more than every lot", "1", 20, true, {{"L1", 5}, {"L2", 8}, {"L3", 4}, {"", 3}}},
        {"a depot without lots", "3", 10, false, {{"", 10}}},
    };
    for (const auto& c : casos) {
        std::vector<ItemCantidad> lotes(3, ItemCantidad(QStringLiteral("viejo"), QStringLiteral("UN"), 99));
        EXPECT_EQ(ArticuloTieneLotes(QStringLiteral("INSUMO01"), QString::fromLatin1(c.deposito), lotes, c.cantidad),
                  c.tieneLotes)
            << c.caso;
        esperaEntradas(lotes, c.esperadas, c.caso);
    }
}

TEST(InsumosArticulo, InputsAreListedWithTheirUnitsAndQuantities)
{
    TestDatabase db(QString::fromLatin1(kLotes));
    std::vector<ItemCantidad> insumos(4);
    EXPECT_TRUE(IdArticuloTieneInsumos(QStringLiteral("ART001"), insumos, 0));
    ASSERT_EQ(insumos.size(), 2u);
    EXPECT_EQ(insumos[0], ItemCantidad(QStringLiteral("INSUMO01"), QStringLiteral("KG"), 2.5));
    EXPECT_EQ(insumos[1], ItemCantidad(QStringLiteral("INSUMO02"), QStringLiteral("UN"), 1));

    EXPECT_TRUE(IdArticuloTieneInsumos(QStringLiteral("ART001"), insumos, 1)) << "test only";
    EXPECT_EQ(insumos, std::vector<ItemCantidad>(1));

    EXPECT_FALSE(IdArticuloTieneInsumos(QStringLiteral("INSUMO01"), insumos, 0));
    EXPECT_EQ(insumos, std::vector<ItemCantidad>(1));
}

TEST(ControlStock, BalanceInOneDepotOrOverAll)
{
    TestDatabase db(QStringLiteral(R"(
INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK) VALUES
  ('                   ART001', '  UN', '   1', 10),
  ('                   ART001', '  UN', '   2', 5.5),
  ('                   ART001', '  CJ', '   1', 3),
  ('                   ART002', '  UN', '   1', 7);
)"));
    struct Caso {
        const char* caso;
        const char* deposito;
        const char* articulo;
        const char* unidad;
        double esperado;
    } casos[] = {
        {"one depot", "1", "ART001", "UN", 10},
        {"one depot, codes in another case", "  1 ", "art001", "un", 10},
        {"one depot, another unit", "1", "ART001", "CJ", 3},
        {"every depot", "", "ART001", "UN", 15.5},
        {"a blank depot is every depot", "   ", "ART001", "UN", 15.5},
        {"no row in the depot", "3", "ART001", "UN", 0},
        {"no row in any depot", "", "ART009", "UN", 0},
    };
    for (const auto& c : casos) {
        double stock = -1;
        ControlStock(QString::fromLatin1(c.deposito), QString::fromLatin1(c.articulo), QString::fromLatin1(c.unidad), stock);
        EXPECT_DOUBLE_EQ(stock, c.esperado) << c.caso;
    }

    double stock = 42;
    ControlStock(QStringLiteral("1"), QStringLiteral("   "), QStringLiteral("UN"), stock);
    EXPECT_EQ(stock, 42) << "a blank article leaves the balance untouched";
}

TEST(ControlStock, AFailedReadLeavesTheBalanceAsItWas)
{
    TestDatabase db(QStringLiteral("DROP VIEW STK_SALDOS_UNIDADES;"));
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("AbrirRecordset"));
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ControlStock"));
    double stock = 42;
    ControlStock(QStringLiteral("1"), QStringLiteral("ART001"), QStringLiteral("UN"), stock);
    EXPECT_EQ(stock, 42);
}
