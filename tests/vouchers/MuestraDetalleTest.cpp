// The current line of an entry grid shown in the status bar.
#include "vouchers/ClsCmnCptes.h"

#include "FormularioComprobante.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

struct Detalle {
    TestDatabase base;
    FormularioComprobante f;
    ClsCmnCptes cls;

    Detalle()
    {
        AgregaLinea(f.tareas, {{ColTareas::Codigo, " T1 "}, {ColTareas::Descripcion, " Pintura "}});
        AgregaLinea(f.otros, {{ColOtrosConceptos::Detalle, " Flete "}, {ColOtrosConceptos::Importe, "10"}});
        AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART001"},
                                  {ColArticulos::Descripcion, "Yerba "},
                                  {ColArticulos::AuxStockDisponible, "12,5"}});
        AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART002"}, {ColArticulos::Descripcion, "Sin stock"}});
        for (int panel = 1; panel <= f.barra.Panels().Count(); ++panel)
            f.barra.Panels()(panel).setText(QStringLiteral("previo"));
    }
    QString panel(int numero) { return f.barra.Panels()(numero).Text(); }
};

}  // namespace

TEST(MuestraDetalle, TheCurrentLineGoesToTheDetailPanelAndTheStockToItsOwn)
{
    struct Caso {
        const char* caso;
        char grilla;  // t tasks, a articles, o other concepts
        int fila;
        const char* detalle;
        const char* stock;
    } casos[] = {
        {"task: code - description, trimmed", 't', 1, "T1 - Pintura", "previo"},
        {"an empty task line", 't', 2, " - ", "previo"},
        {"other concept: its text alone", 'o', 1, "Flete", "previo"},
        {"article and its available stock", 'a', 1, "ART001 - Yerba", "Stock: 12.5"},
        {"an empty stock cell shows 0", 'a', 2, "ART002 - Sin stock", "Stock: 0"},
    };
    for (const auto& c : casos) {
        Detalle d;
        FlexGrid& grilla = c.grilla == 't' ? d.f.tareas : c.grilla == 'a' ? d.f.articulos : d.f.otros;
        grilla.setRow(c.fila);
        if (c.grilla == 't')
            d.cls.MuestraDetalleTareas(grilla, d.f.barra);
        else if (c.grilla == 'a')
            d.cls.MuestraDetalleArticulos(grilla, d.f.barra);
        else
            d.cls.MuestraDetalleOtrosConceptos(grilla, d.f.barra);
        EXPECT_EQ(d.panel(4), QString::fromUtf8(c.detalle)) << c.caso;
        EXPECT_EQ(d.panel(5), QString::fromUtf8(c.stock)) << c.caso;
        EXPECT_EQ(d.panel(3), QStringLiteral("previo")) << c.caso;
    }
}

TEST(MuestraDetalle, TheStockPanelIsTheFirstKeyedStockInAnyCase)
{
    Detalle d;
    d.f.articulos.setRow(1);
    d.f.barra.Panels()(5).setKey(QStringLiteral("STOCK"));
    d.f.barra.Panels().Add(QStringLiteral("Stock"), QStringLiteral("previo"));
    d.cls.MuestraDetalleArticulos(d.f.articulos, d.f.barra, 2);
    EXPECT_EQ(d.panel(2), QStringLiteral("ART001 - Yerba")) << "the panel the caller names";
    EXPECT_EQ(d.panel(4), QStringLiteral("previo"));
    EXPECT_EQ(d.panel(5), QStringLiteral("Stock: 12.5"));
    EXPECT_EQ(d.panel(6), QStringLiteral("previo")) << "only the first stock panel";

    d.cls.MuestraDetalleArticulos(d.f.articulos, d.f.barra, 5);
    EXPECT_EQ(d.panel(5), QStringLiteral("Stock: 12.5")) << "the stock replaces a detail sent to its panel";

    d.f.barra.Panels()(5).setKey(QStringLiteral("Existencia"));
    d.f.barra.Panels()(6).setKey(QString());
    d.f.barra.Panels()(6).setText(QStringLiteral("previo"));
    d.f.articulos.setRow(2);
    d.cls.MuestraDetalleArticulos(d.f.articulos, d.f.barra);
    EXPECT_EQ(d.panel(4), QStringLiteral("ART002 - Sin stock")) << "no stock panel: the detail alone";
    EXPECT_EQ(d.panel(6), QStringLiteral("previo"));
}

TEST(MuestraDetalle, AGridLaidOutOtherwiseShowsLessAndAMissingPanelFails)
{
    Detalle d;
    FlexGrid corta;
    corta.setCols(1);
    corta.setRows(2);
    corta.setTextMatrix(1, 0, QStringLiteral("X1"));
    corta.setRow(1);
    d.cls.MuestraDetalleTareas(corta, d.f.barra);
    d.cls.MuestraDetalleArticulos(corta, d.f.barra);
    EXPECT_EQ(d.panel(4), QStringLiteral("previo")) << "no description column: nothing written";
    EXPECT_EQ(d.panel(5), QStringLiteral("previo"));

    FlexGrid sinStock;
    sinStock.setCols(ColArticulos::AuxStockDisponible);
    sinStock.setRows(2);
    sinStock.setTextMatrix(1, 0, QStringLiteral("ART003"));
    sinStock.setRow(1);
    d.cls.MuestraDetalleArticulos(sinStock, d.f.barra);
    EXPECT_EQ(d.panel(4), QStringLiteral("ART003 - "));
    EXPECT_EQ(d.panel(5), QStringLiteral("previo")) << "no stock column: no stock shown";

    d.f.articulos.setRow(1);
    d.cls.MuestraDetalleArticulos(d.f.articulos, d.f.barra, 9);
    EXPECT_EQ(d.panel(5), QStringLiteral("Stock: 12.5")) << "past a missing panel the stock is still shown";

    // A status bar without panel 4.
    StatusBar corto;
    corto.Panels().Add();
    d.f.tareas.setRow(1);
    EXPECT_THROW(d.cls.MuestraDetalleTareas(d.f.tareas, corto), RuntimeError);
    EXPECT_THROW(d.cls.MuestraDetalleOtrosConceptos(d.f.otros, corto), RuntimeError);
    EXPECT_THROW(d.cls.MuestraDetalle(QStringLiteral("x"), corto), RuntimeError);
    EXPECT_NO_THROW(d.cls.MuestraDetalleArticulos(d.f.articulos, corto));
}
