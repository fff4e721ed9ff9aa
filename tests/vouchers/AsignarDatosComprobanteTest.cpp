// A stored voucher loaded into the entry grids, with what is still open of
// its article lines.
#include "vouchers/ClsCmnCptes.h"

#include "FormularioComprobante.h"
#include "platform/Host.h"
#include "tests/support/HostDePrueba.h"
#include "platform/db/Recordset.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Codes right-justified as stored: types 4, articles 25. ART001 asks for
// serial numbers and is perishable; ART009 is not in the article master.
//   FC 15A  a sales invoice of customer condition 5 (letter B), complement 0
//           with two article lines, one other concept and a note that is
//           not one; complement 1 holds another line.
//   FC 16A  sent over delivery runs (IdReparto -1): run 4 delivered 2 of
//           ART001 and all of ART002 (a voided run delivered more).
//   RM 20R  a delivery note of which an invoice took over 4 of ART001.
//   NP 30P  an order with lots on its line.
//   OT 40T  a work order with two tasks.
//   FCC 50A a purchase invoice of the supplier PROV'01 (another supplier
//           holds the same number).
const char* const kComprobantes = R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES
  ('  FC', 1, 'VENTAS'), ('  RM', 1, 'VENTAS'), ('  NP', 1, 'VENTAS'), ('  OT', 1, 'VENTAS'), (' FCC', 1, 'compras');
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CONDIVA', '1');
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, USASERIE, USALOTE, Perecedero, UsaTalle) VALUES
  ('                   ART001', 'Vacuna', '  UN', 1, 0, 1, 0),
  ('                   ART002', 'Jeringa', '  CJ', 0, 1, 0, 1);

INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, IdReparto, CondicionIVA, TCORIGEN, COMPROBANTEORIGEN, ANULADA) VALUES
  ('  FC', '000100000015A', 0, 0, '5', NULL, NULL, 0),
  ('  FC', '000100000015A', 1, 0, '5', NULL, NULL, 0),
  ('  FC', '000100000016A', 0, -1, '1', NULL, NULL, 0),
  ('  RM', '000100000001R', 0, 4, '1', '  FC', '000100000016A', 0),
  ('  RM', '000100000002R', 0, 4, '1', '  FC', '000100000016A', 1),
  ('  RM', '000100000020R', 0, 0, '1', NULL, NULL, 0),
  ('  FC', '000100000017A', 0, 0, '1', '  RM', '000100000020R', 0),
  ('  NP', '000100000030P', 0, 0, '1', NULL, NULL, 0),
  ('  OT', '000100000040T', 0, 0, '1', NULL, NULL, 0);
INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, IdArticulo, Descripcion, IdUnidad, Cantidad,
    IdUnidadBase, cantidadud, Importe, Exento, PorcDto, Costo, Importe_S_IVA, Impuestos, Total, Nro_Lote, Nro_Serie,
    CONTROLADOPOR, IdOrigen, AlicIVA) VALUES
  ('  FC', '000100000015A', 0, '                   ART001', ' Vacuna ', '  UN', 5, '  UN', 5, 12.1, 0, 10, 7, 10,
   1.5, 60.5, '|L1|', '|S1|', 'AD1', 'OR1', 21),
  ('  FC', '000100000015A', 0, '                   ART009', 'Suelto', '  UN', 2, '  UN', 2, 3, NULL, NULL, NULL, 3,
   NULL, 6, NULL, NULL, NULL, NULL, NULL),
  ('  FC', '000100000015A', 1, '                   ART002', 'Otro complemento', '  CJ', 1, '  CJ', 1, 1, 0, 0, 0,
   1, 0, 1, NULL, NULL, NULL, NULL, 21),
  ('  FC', '000100000016A', 0, '                   ART001', 'Vacuna', '  UN', 5, NULL, NULL, 1, 1, 0, 0, 1, 0, 5,
   NULL, NULL, NULL, NULL, 21),
  ('  FC', '000100000016A', 0, '                   ART002', 'Jeringa', '  CJ', 3, NULL, NULL, 1, 1, 0, 0, 1, 0, 3,
   NULL, NULL, NULL, NULL, 21),
  ('  RM', '000100000001R', 0, '                   ART001', 'Vacuna', '  UN', 2, NULL, NULL, 1, 1, 0, 0, 1, 0, 2,
   NULL, NULL, NULL, NULL, 21),
  ('  RM', '000100000001R', 0, '                   ART002', 'Jeringa', '  CJ', 3, NULL, NULL, 1, 1, 0, 0, 1, 0, 3,
   NULL, NULL, NULL, NULL, 21),
  ('  RM', '000100000002R', 0, '                   ART001', 'Vacuna', '  UN', 3, NULL, NULL, 1, 1, 0, 0, 1, 0, 3,
   NULL, NULL, NULL, NULL, 21),
  ('  RM', '000100000020R', 0, '                   ART001', 'Vacuna', '  UN', 10, NULL, NULL, 1, 1, 0, 0, 1, 0, 10,
   '|L7|', '|10|', NULL, NULL, 21),
  ('  FC', '000100000017A', 0, '                   ART001', 'Vacuna', '  UN', 4, NULL, NULL, 1, 1, 0, 0, 1, 0, 4,
   NULL, NULL, NULL, NULL, 21),
  ('  NP', '000100000030P', 0, '                   ART002', 'Jeringa', '  CJ', 8, NULL, NULL, 1, 1, 0, 0, 1, 0, 8,
   '|L2|', '|8|', 'AD2', 'OR2', 21);
INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento, TIPO_OBS, Observacion, Importe, Importe_S_IVA) VALUES
  ('  FC', '000100000015A', 0, 'OC', 'Flete', 121, 100),
  ('  FC', '000100000015A', 0, 'OB', 'Entregar por la tarde', NULL, NULL);
INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA,
    Total, DescripcionAdicional, IdTecnico) VALUES
  ('  OT', '000100000040T', 0, 'T1', 'Pintura', 75, 1234.5, 1020.25, 1543.125, 'Dos manos', 'TEC1'),
  ('  OT', '000100000040T', 0, 'T2', 'Lijado', 30, 100, 82.64, 50, NULL, NULL);

INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA, IdReparto) VALUES
  (' FCC', '000100000050A', 'PROV''01', -1), (' FCC', '000100000050A', 'PROV02', 0);
INSERT INTO C_MV_CPTETAREAS (TC, IDCOMPROBANTE, CUENTA, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA, Total,
    DescripcionAdicional, IdTecnico) VALUES
  (' FCC', '000100000050A', 'PROV''01', 'T9', 'Flete', 60, 10, 10, 10, 'No va', 'TEC9');
INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, CUENTA, IdArticulo, Descripcion, IdUnidad, Cantidad, IdUnidadBase,
    cantidadud, Importe, Exento, PorcDto, Costo, Importe_S_IVA, Impuestos, Total, AlicIVA) VALUES
  (' FCC', '000100000050A', 'PROV''01', '                   ART002', 'Jeringa', '  CJ', 6, '  UN', 72, 2, 0, 5, 2, 2,
   1, 12, 21),
  (' FCC', '000100000050A', 'PROV02', '                   ART001', 'De otro proveedor', '  UN', 1, NULL, NULL, 1, 0,
   0, 0, 1, 0, 1, 21);
)";

struct Carga {
    FixedHost maquina;
    TestDatabase base;
    FormularioComprobante f;
    ClsCmnCptes cls;
    HostEnUso enUso{maquina};

    explicit Carga(const QString& masSql = {}) : base(QString::fromLatin1(kComprobantes) + masSql) {}

    QString a(int fila, int col) const { return f.articulos.TextMatrix(fila, col); }
    void carga(const char* tc, const char* numero, const char* complemento, std::int16_t* reparto = nullptr,
               bool compras = false, const QString& proveedor = {})
    {
        cls.AsignarDatosComprobante(QString::fromLatin1(tc), QString::fromLatin1(numero),
                                    QString::fromLatin1(complemento), f.tareas, f.articulos, f.otros, false, nullptr,
                                    compras, proveedor, reparto);
    }
};

}  // namespace

TEST(AsignarDatosComprobante, ASalesVoucherFillsTheArticlesAndOtherConceptsAndLeavesTheTasks)
{
    Carga c;
    c.f.tareas.setTextMatrix(1, 0, QStringLiteral("previo"));
    c.f.articulos.setTextMatrix(1, ColArticulos::Codigo, QStringLiteral("se pisa"));
    c.f.articulos.setTextMatrix(1, ColArticulos::AuxTipoArticulo, QStringLiteral("T1"));
    std::int16_t reparto = 7;
    c.carga(" FC ", " 000100000015A ", "", &reparto);

    EXPECT_EQ(c.f.tareas.Rows(), 2) << "no task lines: the tasks grid as it was";
    EXPECT_EQ(c.f.tareas.TextMatrix(1, 0), QStringLiteral("previo"));
    EXPECT_EQ(c.f.articulos.Rows(), 4) << "two lines and an empty one; complement 1 is not loaded";
    EXPECT_EQ(c.a(3, 0), QString());
    EXPECT_EQ(reparto, 0);
    using namespace ColArticulos;
    struct Celda {
        int fila;
        int col;
        const char* texto;
    } celdas[] = {
        {1, Codigo, "ART001"}, {1, Descripcion, "Vacuna"}, {1, UD, "UN"}, {1, Cant, "5"}, {1, UDEquiv, "UN"},
        {1, CantEquiv, "5"}, {1, Importe, "12.1"}, {1, PorcDto, "10"}, {1, Costo, "7"}, {1, AuxPrecioSinIVA, "10"},
        {1, Impuestos, "1.5"}, {1, Total, "60.5"}, {1, AuxNroLote, "|L1|"}, {1, AuxNroSerie, "|S1|"},
        {1, Lote_Aduana, "AD1"}, {1, Lote_Origen, "OR1"}, {1, AuxEsExento, "0"}, {1, AuxTasaIVA, "21"},
        {1, TotalConImpuestos, "68"},  // 60.5 + 1.5 x 5
        {1, AuxRestoPorAplicar, "5"}, {1, IdComprobanteCargado, "000100000015A"},
        {1, AuxPrecioConIVA, "12.1"},  // letter B: the price includes VAT
        {1, AuxPideSerie, "-1"}, {1, AuxPidelote, "0"}, {1, Auxesperecedero, "-1"}, {1, AuxPideTalle, "0"},
        {1, AuxTipoArticulo, "T1"},  // not a column of the load: left as it was
        {2, Codigo, "ART009"}, {2, AuxEsExento, "0"}, {2, AuxPrecioConIVA, ""}, {2, PorcDto, ""},
        {2, AuxPideSerie, ""},  // not in the article master: flags untouched
        {2, TotalConImpuestos, "6"},
    };
    for (const auto& e : celdas)
        EXPECT_EQ(c.a(e.fila, e.col), QString::fromLatin1(e.texto)) << "row " << e.fila << " column " << e.col;

    EXPECT_EQ(c.f.otros.Rows(), 3) << "one other concept; the note of another kind stays out";
    EXPECT_EQ(c.f.otros.TextMatrix(1, ColOtrosConceptos::Detalle), QStringLiteral("Flete"));
    EXPECT_EQ(c.f.otros.TextMatrix(1, ColOtrosConceptos::ImporteSinIva), QStringLiteral("100.00"));
    EXPECT_EQ(c.f.otros.TextMatrix(1, ColOtrosConceptos::Importe), QStringLiteral("121.00"));

    // Loaded again under lines already entered: they stay above.
    c.carga("FC", "000100000015A", "1");
    EXPECT_EQ(c.f.articulos.Rows(), 5);
    EXPECT_EQ(c.a(2, Codigo), QStringLiteral("ART009"));
    EXPECT_EQ(c.a(3, Codigo), QStringLiteral("ART002")) << "complement 1 into the empty row";
    EXPECT_EQ(c.a(3, AuxPideTalle), QStringLiteral("-1"));
}

TEST(AsignarDatosComprobante, WhatIsStillOpenOfEachArticleLine)
{
    struct Caso {
        const char* caso;
        const char* ajustes;
        const char* tc;
        const char* numero;
        std::int16_t repartoAntes;
        std::int16_t repartoDespues;
        const char* cantidades[2];  // "Cant." of rows 1 and 2
        const char* restos[2];      // "AuxRestoPorAplicar" of rows 1 and 2
    } casos[] = {
        {"delivery runs: pending of the first, nothing pending of the second", "", "FC", "000100000016A", 0, -1,
         {"3", "0"}, {"3", "0"}},
        {"delivery note taken over in part; the setting absent is on", "", "rm", "000100000020R", 0, 0, {"6", ""},
         {"6", ""}},
        {"delivery note with partial delivery off", "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                                                    "('EntregaParcialRemito', 'no');",
         "RM", "000100000020R", 0, 0, {"10", ""}, {"10", ""}},
        {"negated and partly covered: -(10 - 4)", "", "RM", "000100000020R", -99, 0, {"-6", ""}, {"6", ""}},
        {"negated with nothing covered", "", "FC", "000100000017A", -99, 0, {"-4", ""}, {"4", ""}},
        {"negated on delivery runs", "", "FC", "000100000016A", -99, -1, {"-3", "0"}, {"3", "0"}},
        {"an invoice numbered as a delivery note taken over: the take-over rule is the note's alone",
         "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, IdReparto, CondicionIVA, ANULADA) VALUES "
         "('  FC', '000100000020R', 0, 0, '1', 0);"
         "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, IdArticulo, Cantidad) VALUES "
         "('  FC', '000100000020R', 0, '                   ART001', 10);",
         "FC", "000100000020R", 0, 0, {"10", ""}, {"10", ""}},
    };
    for (const auto& k : casos) {
        Carga c(QString::fromLatin1(k.ajustes));
        std::int16_t reparto = k.repartoAntes;
        c.carga(k.tc, k.numero, "0", &reparto);
        EXPECT_EQ(reparto, k.repartoDespues) << k.caso;
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(c.a(i + 1, ColArticulos::Cant), QString::fromLatin1(k.cantidades[i])) << k.caso << " row " << i + 1;
            EXPECT_EQ(c.a(i + 1, ColArticulos::AuxRestoPorAplicar), QString::fromLatin1(k.restos[i]))
                << k.caso << " row " << i + 1;
        }
    }
}

// FC 18A, customer condition 1 (letter A): a line not exempt of half a unit
// with taxes of four decimals, in units and in the equivalent unit.
const char* const kLetraA = R"(
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, IdReparto, CondicionIVA, ANULADA) VALUES
  ('  FC', '000100000018A', 0, 0, '1', 0);
INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, IdArticulo, Descripcion, IdUnidad, Cantidad,
    IdUnidadBase, cantidadud, Importe, Exento, Impuestos, Total) VALUES
  ('  FC', '000100000018A', 0, '                   ART001', 'Vacuna', '  CJ', 0.5, '  UN', 6, 121, 0, 0.3333, 60.5);
)";

TEST(AsignarDatosComprobante, ColumnsThatHangOnTheLetterAndTheSettings)
{
    struct Caso {
        const char* caso;
        const char* ajustes;
        const char* udEquiv;
        const char* cantEquiv;
    } casos[] = {
        {"delivery-run numbers asked for (the setting absent)", "", "UN", "6"},
        {"delivery-run numbers not asked for: no equivalent unit",
         "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PideNroReparto', 'No');", "", ""},
    };
    for (const auto& k : casos) {
        Carga c(QString::fromLatin1(kLetraA) + QString::fromLatin1(k.ajustes));
        c.carga("FC", "000100000018A", "0");
        using namespace ColArticulos;
        EXPECT_EQ(c.a(1, UDEquiv), QString::fromLatin1(k.udEquiv)) << k.caso;
        EXPECT_EQ(c.a(1, CantEquiv), QString::fromLatin1(k.cantEquiv)) << k.caso;
        EXPECT_EQ(c.a(1, AuxPrecioConIVA), QString()) << k.caso << ": letter A, the price is without VAT";
        EXPECT_EQ(c.a(1, TotalConImpuestos), QStringLiteral("60.66665")) << k.caso << ": 60.5 + 0.3333 x 0.5, unrounded";
    }
}

// A field that fails is one step: going on after it fills the rest of the line.
TEST(AsignarDatosComprobante, GoingOnAfterAFailingFieldFillsTheRestOfTheLine)
{
    Carga c;
    c.base.execute(QStringLiteral("DROP VIEW VT_V_MV_INSUMOS_APLICACION"));
    ScopedPrompts p;
    // The query's own report, then the line's read of the result not opened.
    p.answerError(prompt::ErrorLeave, QStringLiteral("AbrirRecordset"));
    p.answerError(prompt::ErrorGoOn, QStringLiteral("AsignarDatosComprobante"));
    c.carga("RM", "000100000020R", "0");
    EXPECT_EQ(p.pending(), 0);
    using namespace ColArticulos;
    struct Celda {
        int col;
        const char* texto;
    } celdas[] = {
        {Codigo, "ART001"}, {Cant, "10"},         {Total, "10"},          {AuxNroLote, "|L7|"},
        {AuxNroSerie, "|10|"}, {AuxEsExento, "-1"}, {TotalConImpuestos, "10"}, {AuxRestoPorAplicar, "10"},
        {IdComprobanteCargado, "000100000020R"},
    };
    for (const auto& e : celdas)
        EXPECT_EQ(c.a(1, e.col), QString::fromLatin1(e.texto)) << "column " << e.col;
    EXPECT_EQ(c.f.articulos.Rows(), 3);
}

TEST(AsignarDatosComprobante, AnOrderKeepsItsLotsOut)
{
    Carga c;
    c.carga(" np ", "000100000030P", "0");
    EXPECT_EQ(c.a(1, ColArticulos::Codigo), QStringLiteral("ART002"));
    for (int col : {ColArticulos::AuxNroLote, ColArticulos::AuxNroSerie, ColArticulos::Lote_Aduana,
                    ColArticulos::Lote_Origen})
        EXPECT_EQ(c.a(1, col), QString()) << col;
}

TEST(AsignarDatosComprobante, TasksWithTheirHoursAndAmounts)
{
    Carga c;
    c.carga("OT", "000100000040T", "0");
    EXPECT_EQ(c.f.tareas.Rows(), 4);
    using namespace ColTareas;
    const char* fila1[] = {"T1", "Pintura", "01:15", "1234.50", "1543.12", "", "1020.25", "Dos manos", "", "", "TEC1", ""};
    for (int col = 0; col < Columnas; ++col)
        EXPECT_EQ(c.f.tareas.TextMatrix(1, col), QString::fromLatin1(fila1[col])) << col;
    EXPECT_EQ(c.f.tareas.TextMatrix(2, Horas), QStringLiteral("00:30"));
    EXPECT_EQ(c.f.articulos.Rows(), 2);
}

TEST(AsignarDatosComprobante, APurchaseVoucherIsKeyedByTheSupplierAccount)
{
    Carga c;
    c.f.articulos.setTextMatrix(1, ColArticulos::PorcDto, QStringLiteral("previo"));
    std::int16_t reparto = 5;
    db::Recordset cabecera;
    c.cls.AsignarDatosComprobante(QStringLiteral("FCC"), QStringLiteral("000100000050A"), QStringLiteral("no se usa"),
                                  c.f.tareas, c.f.articulos, c.f.otros, true, &cabecera, true,
                                  QStringLiteral("PROV'01"), &reparto);
    EXPECT_EQ(reparto, 5) << "a purchase type leaves the delivery run alone";
    ASSERT_FALSE(cabecera.Eof()) << "the header is handed back on its row";
    EXPECT_EQ(cabecera.value(QStringLiteral("CUENTA")).toString(), QStringLiteral("PROV'01"));

    EXPECT_EQ(c.f.articulos.Rows(), 3) << "only the supplier's own voucher";
    using namespace ColArticulos;
    EXPECT_EQ(c.a(1, Codigo), QStringLiteral("ART002"));
    EXPECT_EQ(c.a(1, Cant), QStringLiteral("6")) << "no delivery-run rule for purchases";
    for (int col : {UDEquiv, CantEquiv, TotalConImpuestos, AuxTasaIVA})
        EXPECT_EQ(c.a(1, col), QString()) << "purchases system: column " << col << " not written";
    EXPECT_EQ(c.a(1, PorcDto), QStringLiteral("previo"));
    EXPECT_EQ(c.a(1, AuxPrecioSinIVA), QStringLiteral("2"));

    EXPECT_EQ(c.f.tareas.TextMatrix(1, ColTareas::Codigo), QStringLiteral("T9"));
    EXPECT_EQ(c.f.tareas.TextMatrix(1, ColTareas::Horas), QStringLiteral("01:00"));
    for (int col : {ColTareas::AuxObservAdic, ColTareas::AuxFechaInicio, ColTareas::AuxFechaFin, ColTareas::AuxIdTecnico})
        EXPECT_EQ(c.f.tareas.TextMatrix(1, col), QString()) << "purchase task column " << col;
}

TEST(AsignarDatosComprobante, AMissingVoucherOrABadComplementLoadsNothing)
{
    struct Caso {
        const char* caso;
        const char* tc;
        const char* numero;
        const char* complemento;
        bool compras;
        const char* proveedor;
        const char* mensaje;
    } casos[] = {
        {"no such number", "FC", "000100000099A", "0", false, "", "No existe el comprobante FC 000100000099A."},
        {"no such complement", "FC", "000100000015A", "2", false, "", "No existe el comprobante FC 000100000015A."},
        {"another supplier's account, apostrophe and all", "FCC", "000100000050A", "", true, "PROV'99",
         "No existe el comprobante FCC 000100000050A."},
        {"a fraction for a complement", "FC", "000100000015A", "1.5", false, "",
         "El complemento del comprobante debe ser un número entero: 1.5"},
        {"SQL for a complement", "FC", "000100000015A", "0 OR 1=1", false, "",
         "El complemento del comprobante debe ser un número entero: 0 OR 1=1"},
    };
    for (const auto& k : casos) {
        Carga c;
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, QString::fromUtf8(k.mensaje));
        c.f.articulos.setTextMatrix(1, 0, QStringLiteral("previo"));
        std::int16_t reparto = 3;
        c.carga(k.tc, k.numero, k.complemento, &reparto, k.compras, QString::fromLatin1(k.proveedor));
        EXPECT_EQ(p.pending(), 0) << k.caso;
        ASSERT_EQ(p.shown().size(), 1U) << k.caso << ": one message, no error dialog";
        EXPECT_EQ(p.shown()[0].title, QStringLiteral("Aviso al Operador")) << k.caso;
        EXPECT_EQ(reparto, 3) << k.caso;
        EXPECT_EQ(c.f.articulos.Rows(), 2) << k.caso;
        EXPECT_EQ(c.a(1, 0), QStringLiteral("previo")) << k.caso;
        EXPECT_EQ(c.f.tareas.Rows(), 2) << k.caso;
        EXPECT_EQ(c.f.otros.Rows(), 2) << k.caso;
    }
}

// The stored vouchers of the demo database load and total as an entry form
// would show them.
TEST(AsignarDatosComprobante, TheDemoVouchers)
{
    FixedHost maquina;
    HostEnUso enUso(maquina);
    TestDatabase base({}, true);
    FormularioComprobante f;
    const ClsCmnCptes cls;
    std::int16_t reparto = 0;
    cls.AsignarDatosComprobante(QStringLiteral("NP"), QStringLiteral("000100000012X"), QString(), f.tareas, f.articulos,
                                f.otros, false, nullptr, false, {}, &reparto);
    EXPECT_EQ(reparto, -1) << "the order goes out over delivery runs";
    EXPECT_EQ(f.articulos.TextMatrix(1, ColArticulos::Cant), QStringLiteral("20")) << "30 of 50 delivered on run 3";
    EXPECT_EQ(f.articulos.TextMatrix(2, ColArticulos::Cant), QStringLiteral("0")) << "the flour went out whole";

    FormularioComprobante ot;
    cls.AsignarDatosComprobante(QStringLiteral("OT"), QStringLiteral("000100000003X"), QStringLiteral("2"), ot.tareas,
                                ot.articulos, ot.otros);
    for (int fila = 1; fila < ot.articulos.Rows() - 1; ++fila)
        ot.articulos.setTextMatrix(fila, ColArticulos::AuxRubroArticulo, QStringLiteral("R3"));
    cls.TotalizadorControl(ot.tareas, ot.articulos, ot.otros, ot.totales, ot.solapas, true);
    QStringList filas;
    for (int fila = 1; fila < ot.totales.Rows() - 1; ++fila)
        filas << QStringList({ot.totales.TextMatrix(fila, 0), ot.totales.TextMatrix(fila, 1),
                              ot.totales.TextMatrix(fila, 2)})
                     .join(u'|');
    EXPECT_EQ(filas, QStringList({QStringLiteral("Tareas|2|4:0"), QStringLiteral("Artículos|1|24"),
                                  QStringLiteral("-||"), QStringLiteral("R3-INDUMENTARIA||24"),
                                  QStringLiteral("Otros Conceptos|1|")}));
}
