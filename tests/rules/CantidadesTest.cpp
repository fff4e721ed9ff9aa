#include "rules/Cantidades.h"

#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {

struct Lote {
    const char* nro;
    double stock;
};

struct Entrada {
    const char* lote;
    double cantidad;
};

struct CasoReparto {
    const char* caso;
    double cantidad;
    std::vector<Lote> lotes;
    std::vector<Entrada> esperadas;
    int lotesLeidos;
};

}  // namespace

TEST(RepartoLotes, TakesWholeLotsUntilTheLastOneNeeded)
{
    const CasoReparto casos[] = {
        {"covered inside the second lot", 10, {{"L1", 5}, {"L2", 8}, {"L3", 4}}, {{"L1", 5}, {"L2", 5}}, 2},
        {"not covered: the rest without lot", 10, {{"L1", 5}, {"L2", 3}}, {{"L1", 5}, {"L2", 3}, {"", 2}}, 2},
        {"a lot that completes it stops the reading", 10, {{"L1", 5}, {"L2", 5}, {"L3", 4}},
         {{"L1", 5}, {"L2", 5}}, 2},
        {"no lot: one entry for the whole quantity", 10, {}, {{"", 10}}, 0},
        {"fractions add up exactly", 0.3, {{"A", 0.1}, {"B", 0.2}, {"C", 1}}, {{"A", 0.1}, {"B", 0.2}}, 2},
        {"the first lot alone covers it", 2.5, {{"L1", 8}}, {{"L1", 2.5}}, 1},
    };
    for (const auto& c : casos) {
        RepartoLotes reparto(c.cantidad);
        int leidos = 0;
        for (const auto& lote : c.lotes) {
            ++leidos;
            if (!reparto.Toma(QString::fromLatin1(lote.nro), lote.stock))
                break;
        }
        EXPECT_EQ(leidos, c.lotesLeidos) << c.caso;
        std::vector<ItemCantidad> esperadas;
        for (const auto& e : c.esperadas)
            esperadas.emplace_back(QString::fromLatin1(e.lote), QString(), e.cantidad);
        const auto entradas = reparto.Entradas();
        ASSERT_EQ(entradas.size(), esperadas.size()) << c.caso;
        for (std::size_t i = 0; i < esperadas.size(); ++i) {
            EXPECT_EQ(entradas[i].CodigoItem, esperadas[i].CodigoItem) << c.caso << " entry " << i;
            EXPECT_EQ(entradas[i].UnidadItem, QString(4, u' ')) << c.caso << " entry " << i;
            EXPECT_DOUBLE_EQ(entradas[i].CantidadItem, esperadas[i].CantidadItem) << c.caso << " entry " << i;
        }
    }
}

TEST(ItemCantidad, KeepsItsFixedWidths)
{
    const ItemCantidad vacio;
    EXPECT_EQ(vacio.CodigoItem, QString(25, u' '));
    EXPECT_EQ(vacio.UnidadItem, QString(4, u' '));
    EXPECT_EQ(vacio.CantidadItem, 0);

    const ItemCantidad item(QStringLiteral("INSUMO01"), QStringLiteral("KG"), 1.5);
    EXPECT_EQ(item.CodigoItem, QStringLiteral("INSUMO01").leftJustified(25));
    EXPECT_EQ(item.UnidadItem, QStringLiteral("KG  "));

    const ItemCantidad largo(QString(30, u'A'), QStringLiteral("UNIDAD"), 0);
    EXPECT_EQ(largo.CodigoItem, QString(25, u'A'));
    EXPECT_EQ(largo.UnidadItem, QStringLiteral("UNID"));
}

TEST(AplicaEquivalencia, MultipliesOrDividesAndNeverDividesByZero)
{
    struct Caso {
        const char* caso;
        double cantidad;
        const char* operador;
        double coeficiente;
        double esperado;
    } casos[] = {
        {"direct row: 24 units are 2 boxes", 24, "/", 12, 2},
        {"reverse row: 2 pallets are 80 boxes", 2, "*", 40, 80},
        {"coefficient 0 under / is no equivalence", 24, "/", 0, 0},
        {"coefficient 0 under * gives 0", 24, "*", 0, 0},
        {"unknown operator", 24, "+", 12, 0},
        {"no operator", 24, "", 12, 0},
    };
    for (const auto& c : casos)
        EXPECT_DOUBLE_EQ(AplicaEquivalencia(c.cantidad, QString::fromLatin1(c.operador), c.coeficiente), c.esperado)
            << c.caso;
}

// The room of a position, in its own unit, offered to a quantity in another:
// the most that, stored at four decimals and counted back by the equivalence,
// stays within it.
TEST(CabidaEnUnidad, TheRoomOfferedNeverCountsBackPastIt)
{
    struct Caso {
        const char* caso;
        const char* cabida;
        const char* operador;
        double coeficiente;
        const char* esperada;
    } casos[] = {
        {"55 litres for boxes of 24: 2.2917 boxes would count 55.0008", "55", "/", 24, "2.2916"},
        {"a whole number of boxes fills the room exactly", "48", "/", 24, "2"},
        {"70 boxes for units, 12 to the box: exactly 840", "70", "*", 12, "840"},
        {"3.3333 boxes hold 79.9992 units, not 80", "3.3333", "*", 24, "79.9992"},
        {"half a unit to the litre", "9.9996", "*", 0.5, "4.9998"},
        {"a coefficient with decimals", "1", "/", 0.3333, "3.0003"},
        {"less room than one ten-thousandth of the other unit", "0.0023", "/", 24, "0"},
        {"no room", "0", "/", 24, "0"},
        {"a position past its capacity stays below 0", "-2", "*", 12, "-24"},
        {"coefficient 0", "10", "*", 0, "0"},
        {"no equivalence", "10", "", 12, "0"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(CabidaEnUnidad(Currency::fromText(QString::fromLatin1(c.cabida)), QString::fromLatin1(c.operador),
                                 c.coeficiente)
                      .toString(),
                  c.esperada)
            << c.caso;
}
