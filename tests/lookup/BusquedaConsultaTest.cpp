#include "lookup/BusquedaConsulta.h"
#include "platform/Keys.h"

#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

TEST(BusquedaConsultaTest, PrefixSearchOverACell)
{
    const QStringList celdas = {"4123", "  12  ", "1234", "Alfajor", ""};
    const struct {
        const char* buscado;
        int posicion;
    } casos[] = {
        {"12", 1},  {" 12 ", 1}, {"123", 2}, {"alf", 3}, {"ALFAJOR", 3},
        {"", 0},    {"   ", 0},  {"x", -1},  {"41234", -1},
    };
    for (const auto& c : casos)
        EXPECT_EQ(consulta::PrimeraCoincidencia(celdas, QString::fromLatin1(c.buscado)), c.posicion) << c.buscado;
    EXPECT_EQ(consulta::PrimeraCoincidencia({}, ""), -1);
}

TEST(BusquedaConsultaTest, TreeNodeMatchesTheStartOfItsCodeOrDescription)
{
    const struct {
        const char* nodo;
        const char* buscado;
        bool coincide;
    } casos[] = {
        {"0101 - Gaseosas", "01", true},      {"0101 - Gaseosas", "gas", true}, {"0101 - Gaseosas", "GASEOSAS", true},
        {"0101 - Gaseosas", " gas", false},   // the search text is not trimmed
        {"0101 - Gaseosas", "0102", false},   {"0101 - Gaseosas", "", true},
        {"Consulta...", "", true},            {"Consulta...", "cons", true},
        {"Consulta...", "0", false},          {"02 - ", "02", true},
        {"03 - Vinos - Tintos", "vinos - t", true},
    };
    for (const auto& c : casos)
        EXPECT_EQ(consulta::NodoCoincide(QString::fromLatin1(c.nodo), QString::fromLatin1(c.buscado)), c.coincide)
            << c.nodo << " / '" << c.buscado << "'";
}

TEST(BusquedaConsultaTest, KeysTypeIntoTheSearchBoxWhatTheOperatorTyped)
{
    const struct {
        const char* caso;
        const char* actual;
        int tecla;
        const char* tecleado;
        bool checkBoxes;
        std::optional<QString> resultado;
    } casos[] = {
        {"a letter as typed", "", 'A', "a", false, QString("a")},
        {"shifted letter", "ab", 'C', "C", false, QString("abC")},
        {"keypad digit", "1", 96 + 1, "1", false, QString("11")},
        {"keypad zero", "", 96, "0", false, QString("0")},
        {"punctuation", "A", 190, ".", false, QString("A.")},
        {"backspace deletes", "abc", keys::Backspace, "\b", false, QString("ab")},
        {"backspace on empty", "", keys::Backspace, "\b", false, QString("")},
        {"space appends a blank", "a", keys::Space, " ", false, QString("a ")},
        {"space checks the row instead", "a", keys::Space, " ", true, std::nullopt},
        {"function key types nothing", "a", keys::F1, "", false, std::nullopt},
        {"escape types nothing", "a", keys::Escape, "\x1b", false, std::nullopt},
        {"arrow types nothing", "a", keys::Down, "", false, std::nullopt},
    };
    for (const auto& c : casos)
        EXPECT_EQ(consulta::TextoTecleado(QString::fromLatin1(c.actual), c.tecla, QString::fromLatin1(c.tecleado),
                                          c.checkBoxes),
                  c.resultado)
            << c.caso;
}

TEST(BusquedaConsultaTest, StockLevelOfAnArticleRow)
{
    const struct {
        double pp;
        double stock;
        int nivel;
    } casos[] = {
        {10, 15, 2}, {10, 5, 3}, {10, 10, 4}, {0, 3, 1}, {0, 0, 4}, {0, -2, 4}, {-1, 5, 4},
    };
    for (const auto& c : casos)
        EXPECT_EQ(consulta::NivelStock(Currency::fromDouble(c.pp), Currency::fromDouble(c.stock)), c.nivel)
            << "PP " << c.pp << " stock " << c.stock;
}

TEST(BusquedaConsultaTest, PriceColumnsOfArticleQueriesAndQuantityTexts)
{
    EXPECT_EQ(consulta::ClasePrecio("SELECT PRECIO3 FROM STK_MA_ARTICULOS", "precio3"), 3);
    EXPECT_EQ(consulta::ClasePrecio("SELECT PRECIO1 FROM V_MA_ARTICULOS", "PRECIO1"), 1);
    EXPECT_EQ(consulta::ClasePrecio("SELECT PRECIO1 FROM VT_MA_ARTICULOS", "PRECIO1"), 0);
    EXPECT_EQ(consulta::ClasePrecio("SELECT PRECIO9 FROM V_MA_ARTICULOS", "PRECIO9"), 0);
    EXPECT_EQ(consulta::ClasePrecio("SELECT PRECIO1 FROM LISTAS", "PRECIO1"), 0);
    EXPECT_EQ(consulta::TextoCantidad(3, 1), "3.0");
    EXPECT_EQ(consulta::TextoCantidad(2.5, 2), "2.50");
    EXPECT_EQ(consulta::TextoCantidad(1234567.25, 2), "1234567.25");
}
