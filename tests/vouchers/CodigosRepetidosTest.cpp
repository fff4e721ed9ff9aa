// Repeated codes in an entry grid, and fractions.
#include "vouchers/ClsCmnCptes.h"

#include "FormularioComprobante.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

TEST(CodigosRepetidos, FindsTheFirstOtherRowWithTheCodeTrimmedInAnyCase)
{
    TestDatabase base;
    const ClsCmnCptes cls;
    FormularioComprobante f;
    // Rows 1 to 4 as below; row 5 is the empty entry row.
    for (FlexGrid* grilla : {&f.tareas, &f.articulos, &f.otros})
        for (const char* codigo : {"ART001", "  art002  ", "", "ART002"})
            AgregaLinea(*grilla, {{0, QString::fromLatin1(codigo)}, {1, QStringLiteral("texto")}});

    struct Caso {
        const char* caso;
        const char* valor;
        int ignorar;
        bool repetido;
        int fila;
    } casos[] = {
        {"lowest matching row, blanks and case aside", "ART002", -1, true, 2},
        {"the row being edited is passed over", "art002", 2, true, 4},
        {"row 0 skips no data row", " ART001 ", 0, true, 1},
        {"a code on no row", "ART009", -1, false, 77},
        {"an empty code finds an empty row", "", -1, true, 3},
        {"... and the entry row when that one is edited", "", 3, true, 5},
    };
    using Regla = bool (ClsCmnCptes::*)(const FlexGrid&, const QString&, std::int32_t, std::int32_t&) const;
    const struct {
        FlexGrid& grilla;
        Regla regla;
    } reglas[] = {
        {f.tareas, &ClsCmnCptes::TareaRepetida},
        {f.articulos, &ClsCmnCptes::ArticuloRepetido},
        {f.otros, &ClsCmnCptes::OtrosConceptosRepetidos},
    };
    for (const auto& r : reglas)
        for (const auto& c : casos) {
            std::int32_t fila = 77;
            EXPECT_EQ((cls.*r.regla)(r.grilla, QString::fromLatin1(c.valor), c.ignorar, fila), c.repetido) << c.caso;
            EXPECT_EQ(fila, c.fila) << c.caso;
        }

    EXPECT_TRUE(cls.ArticuloRepetido(f.articulos, QStringLiteral("art001")));
    FlexGrid soloEncabezado;
    soloEncabezado.setRows(1);
    EXPECT_FALSE(cls.TareaRepetida(soloEncabezado, QString())) << "a grid with its header row alone";
}

TEST(NumeroEsFraccion, OverTheWholeRangeOfADouble)
{
    TestDatabase base;
    const ClsCmnCptes cls;
    struct Caso {
        QVariant numero;
        bool fraccion;
    } casos[] = {
        {2.5, true},      {3.0, false},       {-0.5, true},         {1e20, false},  {32768.5, true},
        {-40000.0, false}, {1e-7, true},      {QStringLiteral("2,5"), true},      {QStringLiteral("7"), false},
        {0, false},       {QVariant(), false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(cls.NumeroEsFraccion(c.numero), c.fraccion) << c.numero.toString().toStdString();
    try {
        cls.NumeroEsFraccion(QVariant(QMetaType(QMetaType::Double)));
        ADD_FAILURE() << "a Null was read";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::InvalidUseOfNull);
    }
}
