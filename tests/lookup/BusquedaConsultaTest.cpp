#include "lookup/BusquedaConsulta.h"
#include "lookup/VirtualKeys.h"

#include <QKeyEvent>
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
        {"keypad digit", "1", vk::Numpad0 + 1, "1", false, QString("11")},
        {"keypad zero", "", vk::Numpad0, "0", false, QString("0")},
        {"punctuation", "A", 190, ".", false, QString("A.")},
        {"backspace deletes", "abc", vk::Back, "\b", false, QString("ab")},
        {"backspace on empty", "", vk::Back, "\b", false, QString("")},
        {"space appends a blank", "a", vk::Space, " ", false, QString("a ")},
        {"space checks the row instead", "a", vk::Space, " ", true, std::nullopt},
        {"function key types nothing", "a", vk::F1, "", false, std::nullopt},
        {"escape types nothing", "a", vk::Escape, "\x1b", false, std::nullopt},
        {"arrow types nothing", "a", vk::Down, "", false, std::nullopt},
    };
    for (const auto& c : casos)
        EXPECT_EQ(consulta::TextoTecleado(QString::fromLatin1(c.actual), c.tecla, QString::fromLatin1(c.tecleado),
                                          c.checkBoxes),
                  c.resultado)
            << c.caso;
}

TEST(BusquedaConsultaTest, VirtualKeyCodesOfQtKeys)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int code;
        int shift;
    } casos[] = {
        {Qt::Key_A, Qt::NoModifier, 65, 0},        {Qt::Key_A, Qt::ShiftModifier, 65, 1},
        {Qt::Key_5, Qt::NoModifier, 53, 0},        {Qt::Key_5, Qt::KeypadModifier, 101, 0},
        {Qt::Key_F5, Qt::NoModifier, 116, 0},      {Qt::Key_Return, Qt::NoModifier, 13, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, 13, 0}, {Qt::Key_Insert, Qt::ShiftModifier, 45, 1},
        {Qt::Key_Delete, Qt::ControlModifier, 46, 2}, {Qt::Key_PageDown, Qt::NoModifier, 34, 0},
        {Qt::Key_Backspace, Qt::NoModifier, 8, 0},  {Qt::Key_Space, Qt::NoModifier, 32, 0},
    };
    for (const auto& c : casos) {
        const QKeyEvent e(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(vk::keyCode(e), c.code) << c.key;
        EXPECT_EQ(vk::shiftState(e), c.shift) << c.key;
    }
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
