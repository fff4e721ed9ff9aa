// The control totals of a voucher, and the painting of rows and columns.
#include "vouchers/ClsCmnCptes.h"

#include "FormularioComprobante.h"
#include "core/Listas.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kAmarillo = 12648447;
constexpr std::uint32_t kNaranja = 12640511;
constexpr std::uint32_t kAzul = 16711680;

const char* const kDescripciones = R"(
INSERT INTO V_ta_Rubros (IdRubro, Descripcion) VALUES ('R1', 'Bebidas'), ('R2', 'Almacen');
INSERT INTO V_ta_TipoArticulo (Tipo, Descripcion) VALUES ('T1', 'Insumo');
)";

struct Totales {
    TestDatabase base{QString::fromLatin1(kDescripciones)};
    ScopedPrompts avisos;  // no dialog is expected
    FormularioComprobante f;
    ClsCmnCptes cls;

    void totaliza(bool porRubro = false, bool porTipo = false)
    {
        cls.TotalizadorControl(f.tareas, f.articulos, f.otros, f.totales, f.solapas, porRubro, porTipo);
    }
    // Each row of the totals grid below the header: its three texts and its
    // colour, "|"-joined.
    QStringList filas() const
    {
        QStringList resultado;
        for (int fila = 1; fila < f.totales.Rows(); ++fila) {
            QStringList celdas;
            for (int col = 0; col < f.totales.Cols(); ++col)
                celdas << f.totales.TextMatrix(fila, col);
            const std::uint32_t color = f.totales.CellBackColorAt(fila, 0);
            celdas << (color == kAmarillo ? QStringLiteral("amarillo")
                       : color == kNaranja ? QStringLiteral("naranja")
                       : color == kAzul    ? QStringLiteral("azul")
                                           : QString::number(color));
            resultado << celdas.join(u'|');
        }
        return resultado;
    }
};

QStringList lista(std::initializer_list<const char*> textos)
{
    QStringList resultado;
    for (const char* t : textos)
        resultado << QString::fromUtf8(t);
    return resultado;
}

}  // namespace

TEST(TotalizadorControl, SummaryRowsAndArticleGroupsPerGrouping)
{
    struct Caso {
        const char* caso;
        bool porRubro;
        bool porTipo;
        std::initializer_list<const char*> grupos;  // the articles' group rows
    } casos[] = {
        {"by family, which wins over the type; keys merge under the first met", true, true,
         {"-||4|naranja", "r1-Bebidas||3.5|naranja"}},
        {"by type; a key without description shows its key and a dash", false, true,
         {"-|||naranja", "T1-Insumo||6.5|naranja", "t2-||1|naranja"}},
        {"by article code: the code alone, no query", false, false,
         {"|||naranja", "ART001||2.5|naranja", "ART002||1|naranja", "ART003||4|naranja"}},
    };
    for (const auto& c : casos) {
        Totales t;
        using namespace ColArticulos;
        AgregaLinea(t.f.tareas, {{ColTareas::Codigo, "T1"}, {ColTareas::Horas, "0:45"}});
        AgregaLinea(t.f.tareas, {{ColTareas::Codigo, "T2"}, {ColTareas::Horas, "0:30"}});
        AgregaLinea(t.f.tareas, {{ColTareas::Horas, "5:00"}});
        AgregaLinea(t.f.articulos, {{Codigo, "ART001"}, {Cant, "2,5"}, {AuxTipoArticulo, "T1"}, {AuxRubroArticulo, " r1 "}});
        AgregaLinea(t.f.articulos, {{Codigo, "ART002"}, {Cant, "1"}, {AuxTipoArticulo, "t2"}, {AuxRubroArticulo, "R1"}});
        AgregaLinea(t.f.articulos, {{Codigo, "ART003"}, {Cant, "4"}, {AuxTipoArticulo, " t1"}, {AuxRubroArticulo, ""}});
        AgregaLinea(t.f.articulos, {{Cant, "9"}, {AuxTipoArticulo, "T1"}, {AuxRubroArticulo, "R1"}});
        AgregaLinea(t.f.otros, {{ColOtrosConceptos::Detalle, "Flete"}, {ColOtrosConceptos::Importe, "10"}});
        AgregaLinea(t.f.otros, {{ColOtrosConceptos::Importe, "5"}});
        t.totaliza(c.porRubro, c.porTipo);

        QStringList esperado = lista({"Tareas|2|1:15|amarillo", "Artículos|3|7.5|amarillo"});
        esperado << lista(c.grupos) << lista({"Otros Conceptos|1||amarillo", "|||azul"});
        EXPECT_EQ(t.filas(), esperado) << c.caso;
        EXPECT_EQ(t.avisos.shown().size(), 0U) << c.caso;
    }
}

TEST(TotalizadorControl, TheTimeOfTheTasks)
{
    struct Caso {
        std::initializer_list<const char*> horas;
        const char* total;
    } casos[] = {
        {{"0:45", "0:30"}, "1:15"},
        {{"1:30", "1:45"}, "3:15"},
        {{"2"}, "2:0"},
        {{"1.5", "0:20"}, "1:50"},
        // Each line rounded to whole minutes, halves to even: 0, 2 and 1.
        {{"0:0.5", "0:2.5", "0.01"}, "0:3"},
        {{}, "0:0"},
    };
    for (const auto& c : casos) {
        Totales t;
        t.f.solapas.setTabVisible(1, false);
        t.f.solapas.setTabVisible(2, false);
        QString casoTexto;
        for (const char* h : c.horas) {
            AgregaLinea(t.f.tareas, {{ColTareas::Codigo, "T"}, {ColTareas::Horas, h}});
            casoTexto += QString::fromLatin1(h) + u' ';
        }
        t.totaliza();
        const QString resumen =
            QStringLiteral("Tareas|%1|%2|amarillo").arg(c.horas.size()).arg(QString::fromLatin1(c.total));
        EXPECT_EQ(t.filas(), QStringList({resumen, QStringLiteral("|||azul")})) << casoTexto.toStdString();
    }
}

TEST(TotalizadorControl, EachCallStartsAfresh)
{
    Totales t;
    AgregaLinea(t.f.articulos, {{ColArticulos::Codigo, "ART001"}, {ColArticulos::Cant, "2"}});
    t.totaliza();
    t.totaliza();
    EXPECT_EQ(t.filas(), lista({"Tareas|0|0:0|amarillo", "Artículos|1|2|amarillo", "|||naranja",
                                "ART001||2|naranja", "Otros Conceptos|0||amarillo", "|||azul"}))
        << "a second call counts the same, not twice";

    // With no tab visible only the closing bar is left, and no figure of the
    // call before stays in its row.
    for (int tab = 0; tab < 3; ++tab)
        t.f.solapas.setTabVisible(tab, false);
    t.totaliza();
    EXPECT_EQ(t.filas(), lista({"|||azul"}));

    // An empty articles tab gives its summary row and no groups.
    t.f.solapas.setTabVisible(1, true);
    t.f.articulos.setTextMatrix(1, ColArticulos::Codigo, QString());
    t.totaliza();
    EXPECT_EQ(t.filas(), lista({"Artículos|0|0|amarillo", "|||azul"}));
    ASSERT_EQ(ArrTotalizador.size(), 1U) << "the groups of the last call";
}

TEST(PintarFilaYColumna, PaintWithoutLosingTheCurrentCell)
{
    TestDatabase base;
    FormularioComprobante f;
    const ClsCmnCptes cls;
    FlexGrid& g = f.totales;
    g.setRows(4);
    g.setCol(2);
    cls.PintarFila(2, g);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    for (int col = 0; col < g.Cols(); ++col)
        EXPECT_EQ(g.CellBackColorAt(2, col), 65535U) << col;
    EXPECT_EQ(g.CellBackColorAt(1, 0), 0U);
    EXPECT_THROW(cls.PintarFila(9, g), RuntimeError) << "a row that does not exist goes to the caller";

    g.setRow(3);
    cls.PintarColuma(1, g);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);
    for (int fila = 0; fila < g.Rows(); ++fila)
        EXPECT_EQ(g.CellBackColorAt(fila, 1), 65535U) << "the whole column, header row included: " << fila;

    cls.PintarColuma(0, g, 2, 9, kAzul);
    EXPECT_EQ(g.CellBackColorAt(1, 0), 0U);
    EXPECT_EQ(g.CellBackColorAt(2, 0), kAzul);
    EXPECT_EQ(g.CellBackColorAt(3, 0), kAzul) << "rows past the grid are passed over";
    EXPECT_EQ(g.Col(), 0);
}
