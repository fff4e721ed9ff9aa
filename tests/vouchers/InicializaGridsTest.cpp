// The entry grids laid out per voucher type and settings, and the field
// rules of the in-cell editors.
#include "vouchers/ClsCmnCptes.h"

#include "FormularioComprobante.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

// Types right-justified to 4 with their systems; ZZ is not a stored type.
const char* const kTipos = R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES
  ('  FC', 1, 'VENTAS'), ('  OP', 1, 'stock'), ('  OC', 1, 'COMPRAS'), ('  OT', 1, 'VENTAS'),
  ('  PR', 1, 'VENTAS'), ('DVPE', 1, 'COMPRAS'), ('  AJ', 1, ' Stock ');
)";

// Visible width of each column as the layout gives it before any rule moves
// width around, in W(n) units.
const std::map<char, std::map<int, int>> kBase = {
    {'t', {{0, 7}, {1, 37}, {2, 7}, {3, 11}, {4, 11}}},
    {'a', {{0, 15}, {1, 29}, {3, 4}, {5, 6}, {9, 11}, {13, 10}, {36, 10}}},
    {'o', {{0, 49}, {1, 11}, {2, 11}}},
    {'T', {{0, 50}, {1, 15}, {2, 10}}},
};

struct Grillas {
    TestDatabase base;
    FormularioComprobante f;
    TextBox edTareas;
    TextBox edArticulos;
    TextBox edOtros;
    ClsCmnCptes cls;

    explicit Grillas(const QString& ajustes) : base(QString::fromLatin1(kTipos) + ajustes) {}

    FlexGrid& grilla(char g)
    {
        return g == 't' ? f.tareas : g == 'a' ? f.articulos : g == 'o' ? f.otros : f.totales;
    }
    void disponer(const QString& tipo)
    {
        cls.InicializaGrids(&f.tareas, &f.articulos, &f.otros, &edTareas, &edArticulos, &edOtros, tipo, &f.totales);
    }
};

// "K=V;K=V" as configuration rows.
QString ajustes(const char* pares)
{
    QString sql;
    for (const QString& par : QString::fromUtf8(pares).split(u';', Qt::SkipEmptyParts)) {
        const QStringList kv = par.split(u'=');
        sql += QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2');").arg(kv[0], kv[1]);
    }
    return sql;
}

// A width written as W terms: "29+11-3" is W(29) + W(11) - W(3); a term
// ending in "t" is twips ("-480t"); "L" and "S" are the widths of the texts
// "Nro. de Lote" and "Nro. de Serie".
int ancho(const FlexGrid& g, const QString& formula)
{
    int total = 0;
    QString termino;
    const auto suma = [&](int signo) {
        if (termino == u"L")
            total += signo * g.fittingWidth(QStringLiteral("Nro. de Lote"));
        else if (termino == u"S")
            total += signo * g.fittingWidth(QStringLiteral("Nro. de Serie"));
        else if (termino.endsWith(u't'))
            total += signo * termino.chopped(1).toInt();
        else
            total += signo * g.fittingWidth(QString(termino.toInt(), QLatin1Char('X')));
        termino.clear();
    };
    int signo = 1;
    for (QChar c : formula) {
        if (c == u'+' || c == u'-') {
            if (!termino.isEmpty())
                suma(signo);
            signo = c == u'-' ? -1 : 1;
        } else {
            termino += c;
        }
    }
    suma(signo);
    return total;
}

}  // namespace

TEST(InicializaGrids, LayoutPerVoucherTypeAndSettings)
{
    struct Caso {
        const char* caso;
        const char* tipo;
        const char* ajustes;
        const char* visibles[4];  // tasks, articles, other concepts, totals
        const char* anchos;       // "<grid><col>=<W terms>" where the rules move width
        const char* titulos;      // "<grid><col>=<header>|..."
    } casos[] = {
        {"sales voucher, no settings", "FC", "",
         {"0 1 2 3 4", "0 1 3 5 9 13 36", "0 1 2", "0 1 2"}, "",
         "a0=Código|a2=Lista|a4=Dep.|a6=|a7=|a8=% Dto.|a13=TOTAL|a36=Impuestos|a16=AuxNroLote|a17=AuxNroSerie|"
         "t2=Horas|t11=AuxTasaIVA|a19=AuxTipoArticulo|a72=AuxCodigoPercepcion|a42=|o3=Cuenta|T1=Cantidad ITEM'S"},
        {"sales voucher, price list and discount per article, equivalent unit, depot", "FC",
         "V_ListaPreciosPorItemArticulos=si;V_DescuentoPorArticulos=Si;ConfirmaUDEquiv=SI;PideDepositoEnCptes=sI;"
         "NombreArticulos=ARTICULO",
         {"0 1 2 3 4", "0 1 2 3 4 5 6 7 8 9 13 36", "0 1 2", "0 1 2"},
         "a0=15-1-1 a1=29-3-3 a2=4 a4=4 a6=7 a7=9 a8=5",
         "a0=Articulo|a6=UDEquiv|a7=Cant. Equiv|a8=% Dto."},
        {"production order in a stock system: amounts and their rows hidden", "OP", "PideDepositoEnCptes=SI",
         {"0 1 2", "0 1 3 4 5", "0", "0 1 2"},
         "t1=37+11+11 a1=29+11-480t a3=4+4 a4=4 a5=6+7 o0=49+11+11",
         "t3=Valor/Hora|a8=|a13=|a36=|a9=Importe"},
        {"purchase order, type in lower case", "oc", "V_ListaPreciosPorItemArticulos=SI",
         {"0 1 2", "0 1 3 5 36", "0", "0 1 2"}, "t1=37+11+11 a1=29+11+10 o0=49+11+11", ""},
        {"work order, held right-justified, hiding its amounts hides the hours too, never the depot", "  ot",
         "NoMostrarImportesEnOT=SI;PideDepositoEnCptes=SI",
         {"0 1", "0 1 3 5 36", "0", "0 1 2"}, "t1=37+11+11+7 a1=29+11+10 o0=49+11+11", ""},
        {"work order with the setting off (S is not SI)", "OT", "NoMostrarImportesEnOT=S;PideDepositoEnCptes=SI",
         {"0 1 2 3 4", "0 1 3 5 9 13 36", "0 1 2", "0 1 2"}, "", ""},
        {"budget never shows the depot", "PR", "PideDepositoEnCptes=SI",
         {"0 1 2 3 4", "0 1 3 5 9 13 36", "0 1 2", "0 1 2"}, "", ""},
        {"DVPE shows its lots and serial numbers", "DVPE", "",
         {"0 1 2 3 4", "0 1 3 5 9 13 16 17 36", "0 1 2", "0 1 2"}, "a16=L a17=S",
         "a16=Nro. Lote|a17=Nro. Serie"},
        {"stock system: no amounts, a wider unit and quantity, no price list", "AJ",
         "V_ListaPreciosPorItemArticulos=SI;V_DescuentoPorArticulos=SI",
         {"0 1 2 3 4", "0 1 3 5", "0 1 2", "0 1 2"}, "a1=29+11-480t a3=4+4 a5=6+7",
         "a8=|a13=|a36=|a2=Lista"},
        {"a type not stored: no system, nothing hidden", "ZZ", "NombreArticulos= ",
         {"0 1 2 3 4", "0 1 3 5 9 13 36", "0 1 2", "0 1 2"}, "", "a0=Código"},
    };
    for (const auto& c : casos) {
        Grillas g(ajustes(c.ajustes));
        g.f.articulos.setRows(9);
        g.f.articulos.setTextMatrix(8, 0, QStringLiteral("previo"));
        g.disponer(QString::fromLatin1(c.tipo));

        std::map<QString, QString> anchos;
        for (const QString& a : QString::fromLatin1(c.anchos).split(u' ', Qt::SkipEmptyParts))
            anchos[a.section(u'=', 0, 0)] = a.section(u'=', 1);
        const char grillas[] = {'t', 'a', 'o', 'T'};
        const int filas[] = {2, 2, 2, 5};
        const int columnas[] = {12, 73, 4, 3};
        for (int i = 0; i < 4; ++i) {
            const FlexGrid& grilla = g.grilla(grillas[i]);
            const QString nombre = QString(QLatin1Char(grillas[i]));
            EXPECT_EQ(grilla.Rows(), filas[i]) << c.caso << " " << grillas[i];
            ASSERT_EQ(grilla.Cols(), columnas[i]) << c.caso << " " << grillas[i];
            QStringList visibles;
            for (int col = 0; col < grilla.Cols(); ++col) {
                if (grilla.ColWidth(col) == 0)
                    continue;
                visibles << QString::number(col);
                const QString clave = nombre + QString::number(col);
                const auto base = kBase.at(grillas[i]).find(col);
                const QString formula = anchos.count(clave) ? anchos[clave]
                                        : base != kBase.at(grillas[i]).end() ? QString::number(base->second)
                                                                             : QStringLiteral("0");
                // A caption wider than its column's count of X widens it.
                const int esperado = std::max(ancho(grilla, formula), grilla.fittingWidth(grilla.TextMatrix(0, col)));
                EXPECT_EQ(grilla.ColWidth(col), esperado) << c.caso << " " << clave.toStdString();
            }
            EXPECT_EQ(visibles.join(u' '), QString::fromLatin1(c.visibles[i])) << c.caso << " " << grillas[i];
        }
        for (const QString& t : QString::fromUtf8(c.titulos).split(u'|', Qt::SkipEmptyParts)) {
            const QString clave = t.section(u'=', 0, 0);
            EXPECT_EQ(g.grilla(clave[0].toLatin1()).TextMatrix(0, clave.mid(1).toInt()), t.section(u'=', 1))
                << c.caso << " " << clave.toStdString();
        }
        EXPECT_EQ(g.f.articulos.TextMatrix(1, 0), QString()) << c.caso << ": a reused grid starts empty";
        for (const auto& [grilla, col] : {std::pair('t', 1), {'a', 0}, {'a', 1}, {'o', 0}, {'T', 0}})
            EXPECT_EQ(g.grilla(grilla).ColAlignment(col), flex::AlignLeftCenter) << c.caso << " " << grilla << col;
        EXPECT_EQ(g.f.articulos.ColAlignment(5), flex::AlignGeneral) << c.caso;
    }
}

// Every header of the four grids of a sales voucher with no settings, hidden
// columns included: the other members and the host read them by text.
TEST(InicializaGrids, EveryHeaderOfEachGrid)
{
    Grillas g({});
    g.disponer(QStringLiteral("FC"));
    QStringList articulos = {"Código", "Descripción", "Lista", "UD", "Dep.", "Cant.", "", "", "% Dto.", "Importe",
                             "Total", "AuxEsExento", "AuxPrecioSinIVA", "TOTAL", "AuxPideSerie", "AuxPidelote",
                             "AuxNroLote", "AuxNroSerie", "AuxRestoPorAplicar", "AuxTipoArticulo", "AuxRubroArticulo",
                             "AuxListaConIVA", "AuxPrecioConIVA", "AuxCantidadInsumo", "AuxImporteDescuentoArticulo",
                             "AuxTipoCoeficiente", "AuxCoeficiente", "AuxStockDisponible", "AuxStockMinimo",
                             "AuxTasaIVA", "AuxCpteOrigen", "AuxIdCpteOrigen", "Lote_Origen", "Lote_Aduana", "", "",
                             "Impuestos"};
    while (articulos.size() < 72)
        articulos << QString();
    articulos << QStringLiteral("AuxCodigoPercepcion");
    const std::pair<char, QStringList> esperados[] = {
        {'t', {"Código", "Descripción", "Horas", "Valor/Hora", "Total", "AuxEsExento", "ImporteSinIVA", "AuxObservAdic",
               "AuxFechaInicio", "AuxFechaFin", "AuxIdTecnico", "AuxTasaIVA"}},
        {'a', articulos},
        {'o', {"Detalle", "Importe S/Iva", "Importe", "Cuenta"}},
        {'T', {"Descripcion", "Cantidad ITEM'S", "Cantidad"}},
    };
    for (const auto& [grilla, titulos] : esperados) {
        QStringList leidos;
        for (int col = 0; col < g.grilla(grilla).Cols(); ++col)
            leidos << g.grilla(grilla).TextMatrix(0, col);
        EXPECT_EQ(leidos, titulos) << grilla;
    }
}

TEST(InicializaGrids, AbsentGridsAreSkippedWithTheirEditors)
{
    Grillas g({});
    g.edTareas.show();
    g.edArticulos.show();
    g.edOtros.show();
    g.edOtros.setText(QStringLiteral("previo"));
    g.f.tareas.setTextMatrix(1, 0, QStringLiteral("T1"));
    g.cls.InicializaGrids(nullptr, &g.f.articulos, &g.f.otros, &g.edTareas, &g.edArticulos, &g.edOtros,
                          QStringLiteral("FC"), nullptr);
    EXPECT_EQ(g.f.tareas.TextMatrix(1, 0), QStringLiteral("T1")) << "the tasks grid is not touched";
    EXPECT_TRUE(g.edTareas.Visible()) << "nor its editor";
    EXPECT_FALSE(g.edArticulos.Visible());
    EXPECT_TRUE(g.edOtros.Visible()) << "the other-concepts editor is emptied, not hidden";
    EXPECT_EQ(g.edOtros.text(), QString());
    EXPECT_EQ(g.f.totales.Cols(), ColTotales::Columnas);

    // Editors may be absent too.
    g.cls.InicializaGrids(&g.f.tareas, &g.f.articulos, &g.f.otros, nullptr, nullptr, nullptr, QStringLiteral("FC"));
    EXPECT_EQ(g.f.tareas.TextMatrix(1, 0), QString());
}

TEST(TextPropiedades, FieldLookupAndLengthPerEditorAndColumn)
{
    struct Caso {
        const char* editor;
        int columna;
        const char* campo;
        const char* origen;
        int largo;
    } casos[] = {
        {"TxtEdit", 0, "IdTarea", "v_ta_tareas", 4},
        {"TxtEdit", 1, "Descripcion", "", 0},
        {"TxtEdit", 2, "HorasEstimadas", "", 0},
        {"TxtEdit", 3, "ValorHora", "", 0},
        {"TxtEdit", 4, "Total", "", 0},
        {"TxtEdit", 5, "", "", 0},
        {" txtedit2 ", 0, "IdArticulo", "v_ma_articulos", 25},
        {"TxtEdit2", 1, "Descripcion", "", 50},
        {"TXTEDIT2", 2, "IdListaPrecioArticulo", "V_MA_PRECIOS", 4},
        {"TxtEdit2", 3, "IdUnidad", "V_TA_UNIDAD", 4},
        {"TxtEdit2", 4, "IdDepositoArt", "V_TA_DEPOSITO", 4},
        {"TxtEdit2", 5, "Cantidad", "", 0},
        {"TxtEdit2", 6, "IdUnidadEquiv", "V_TA_UNIDAD", 4},
        {"TxtEdit2", 7, "CantidadEquiv", "", 0},
        {"TxtEdit2", 8, "PorcDtoArticulo", "", 0},
        {"TxtEdit2", 9, "ArtImporte", "", 0},
        {"TxtEdit2", 10, "Total", "", 0},
        {"TxtEdit2", 11, "", "", 0},
        {"TxtEdit3", 0, "OCDescripcion", "MA_CUENTAS/SOLOIMPUTABLES", 200},
        {"TxtEdit3", 1, "OCImporteSinIva", "", 0},
        {"TxtEdit3", 2, "OCImporte", "", 0},
        {"TxtEdit3", 3, "", "", 0},
        {"TxtEdit4", 0, "", "", 0},
        {"TxtEdit2", -1, "", "", 0},
    };
    TestDatabase base;
    const ClsCmnCptes cls;
    for (const auto& c : casos) {
        TextBox caja;
        caja.setObjectName(QString::fromLatin1(c.editor));
        caja.setDataField(QStringLiteral("previo"));
        caja.setTag(QStringLiteral("previo"));
        caja.setMaxLength(3);
        cls.TextPropiedades(caja, c.columna);
        const std::string caso = std::string(c.editor) + " " + std::to_string(c.columna);
        EXPECT_EQ(caja.dataField(), QString::fromLatin1(c.campo)) << caso;
        EXPECT_EQ(caja.tag(), QString::fromLatin1(c.origen)) << caso;
        EXPECT_EQ(caja.MaxLength(), c.largo) << caso;
    }
    TextBox sinLimite;
    sinLimite.setObjectName(QStringLiteral("TxtEdit"));
    cls.TextPropiedades(sinLimite, 1);
    sinLimite.setText(QString(300, QLatin1Char('a')));
    EXPECT_EQ(sinLimite.text().size(), 300) << "no limit lets a long text in";
}

// On screen, in the grids' own font, no visible header is cut.
TEST(InicializaGrids, EveryVisibleHeaderFitsItsColumnOnScreen)
{
    for (const char* tipo : {"FC", "OP"}) {
        // A long name for the articles narrowed twice, too.
        Grillas g(ajustes("V_ListaPreciosPorItemArticulos=SI;V_DescuentoPorArticulos=SI;ConfirmaUDEquiv=SI;"
                          "PideDepositoEnCptes=SI;NombreArticulos=codigo de articulo del proveedor"));
        QWidget ventana;
        auto* caja = new QHBoxLayout(&ventana);
        FlexGrid* grillas[4];
        for (FlexGrid*& grilla : grillas) {
            grilla = new FlexGrid(&ventana);
            grilla->setFixedCols(0);
            caja->addWidget(grilla);
        }
        g.cls.InicializaGrids(grillas[0], grillas[1], grillas[2], nullptr, nullptr, nullptr, QString::fromLatin1(tipo),
                              grillas[3]);
        ventana.resize(2400, 400);
        ventana.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
        int vistos = 0;
        for (const FlexGrid* grilla : grillas) {
            const QHeaderView* cabecera = grilla->view()->horizontalHeader();
            for (int col = 0; col < grilla->Cols(); ++col) {
                if (grilla->ColWidth(col) == 0 || grilla->TextMatrix(0, col).isEmpty())
                    continue;
                ++vistos;
                EXPECT_GE(cabecera->sectionSize(col), cabecera->sectionSizeHint(col))
                    << tipo << " \"" << grilla->TextMatrix(0, col).toStdString() << "\"";
            }
        }
        EXPECT_GT(vistos, 10) << tipo;
    }
}
