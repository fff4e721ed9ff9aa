// The stock rows a voucher writes from its articles grid: items, signs,
// sequence, passes, the batch mode, all-or-nothing, and the row's columns.
#include "vouchers/ClsCmnCptes.h"

#include "ComprobanteStock.h"
#include "FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Transacciones.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "vouchers/ListasSerieLote.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace ColArticulos;

namespace {

const QString kId = QStringLiteral("000100000015X");
const QString Y = QString(SeparadorLoteSerie);

struct Voucher {
    TestDatabase base{QString::fromLatin1(kBaseStock)};
    FormularioComprobante f;
    ClsCmnCptes cls;

    ArgumentosStock actualiza(const char* tc, ArgumentosStock a = {})
    {
        cls.ActualizaStock(f.articulos, QString::fromLatin1(tc), kId, QStringLiteral("0"),
                           QStringLiteral("10/12/2024"), a);
        return a;
    }
    QStringList filas(const char* tc) const { return FilasStock(QString::fromLatin1(tc), kId); }
};

// The column names of each INSERT INTO V_MV_STOCK of a batch.
std::vector<QStringList> columnasDe(const QString& lote)
{
    std::vector<QStringList> columnas;
    static const QRegularExpression insert(QStringLiteral("INSERT INTO V_MV_STOCK\\(([^)]*)\\)"));
    for (auto it = insert.globalMatch(lote); it.hasNext();)
        columnas.push_back(it.next().captured(1).split(u','));
    return columnas;
}

}  // namespace

TEST(ActualizaStock, OneRowPerItemOfEachLine)
{
    struct Caso {
        const char* caso;
        const char* tc;
        const char* cantidad;
        std::initializer_list<std::pair<int, QString>> celdas;
        const char* loteFijo;
        QStringList filas;
    } casos[] = {
        {"three serial numbers: three rows of one", "IR", "3", {{AuxNroSerie, "|S1|S2|S3|"}}, "",
         {"1|1|null|S1|1", "2|1|null|S2|1", "3|1|null|S3|1"}},
        {"one lot: one row of the whole line", "IR", "10", {{AuxNroLote, "|L1|"}}, "", {"1|1|L1|null|10"}},
        {"no lot: the fixed lot", "IR", "10", {}, "LF", {"1|1|LF|null|10"}},
        {"a lot of its own wins over the fixed lot", "IR", "10", {{AuxNroLote, "|L1|"}}, "LF", {"1|1|L1|null|10"}},
        {"the line's own depot", "IR", "2,5", {{Dep, "3"}}, "", {"1|3|null|null|2.5"}},
        {"outgoing items 4 and 0: one row of -4", "RM", "4",
         {{AuxNroLote, "|L1" + Y + "S1|L2" + Y + "S2|"}, {AuxNroSerie, "|4|0|"}}, "", {"1|1|L1|S1|-4"}},
        {"outgoing without lots: the whole line", "RM", "6", {}, "", {"1|1|null|null|-6"}},
        {"outgoing size items, quantities from the serial column", "RM", "5",
         {{AuxPideTalle, "SI"}, {AuxNroLote, "|T38|T40|"}, {AuxNroSerie, "|2|3|"}}, "",
         {"1|1|T38|null|-2", "2|1|T40|null|-3"}},
        {"incoming size line: an empty size flag reads as set", "IR", "5",
         {{AuxPideTalle, ""}, {AuxNroLote, "|T38|T40" + Y + "x|"}, {AuxNroSerie, "|1|4|"}}, "",
         {"1|1|T38|null|1", "2|1|T40|null|4"}},
        {"perishable: the lot cell as it stands", "IR", "10", {{Auxesperecedero, "-1"}, {AuxNroLote, "V2025"}}, "",
         {"1|1|V2025|null|10"}},
        {"the perishable flag as written: \" 0\" is not \"0\", so it is set", "IR", "10",
         {{Auxesperecedero, " 0"}, {AuxNroLote, "V2025"}}, "", {"1|1|V2025|null|10"}},
        {"an apostrophe in a lot or a serial is stored as typed", "IR", "2", {{AuxNroSerie, "|O'1|O'2|"}}, "",
         {"1|1|null|O'1|1", "2|1|null|O'2|1"}},
    };
    for (const Caso& c : casos) {
        Voucher v;
        LineaArticulo(v.f.articulos, QStringLiteral("ART001"), QString::fromLatin1(c.cantidad), c.celdas);
        ArgumentosStock a;
        a.LoteFijo = QString::fromLatin1(c.loteFijo);
        a = v.actualiza(c.tc, a);
        EXPECT_FALSE(a.HayError) << c.caso;
        EXPECT_EQ(v.filas(c.tc), c.filas) << c.caso;
        EXPECT_EQ(a.SQLTemp, "") << c.caso << ": nothing for the caller without inputs";
    }
}

TEST(ActualizaStock, SequenceRunsOnOverSkippedItemsLinesAndPasses)
{
    {
        Voucher v;
        LineaArticulo(v.f.articulos, "ART001", "4", {{AuxNroLote, "|L1" + Y + "|L2" + Y + "|"}, {AuxNroSerie, "|4|0|"}});
        LineaArticulo(v.f.articulos, "ART002", "0");
        LineaArticulo(v.f.articulos, "", "5");
        LineaArticulo(v.f.articulos, "ART002", "1");
        v.actualiza("RM");
        EXPECT_EQ(v.filas("RM"), (QStringList{"1|1|L1|null|-4", "3|1|null|null|-1"}))
            << "the skipped item keeps its number; lines without article or quantity write nothing";
    }
    {
        Voucher v;
        LineaArticulo(v.f.articulos, "ART001", "3");
        LineaArticulo(v.f.articulos, "ART002", "2");
        ArgumentosStock a;
        a.EsTransferencia = true;
        a.IdDeposito = "1";
        a.IdDepositoDestino = "2";
        a = v.actualiza("TR", a);
        EXPECT_EQ(v.filas("TR"), (QStringList{"1|1|null|null|-3", "2|1|null|null|-2", "3|2|null|null|3",
                                              "4|2|null|null|2"}))
            << "a transfer: both lines out, then both in";
        EXPECT_EQ(a.IdDeposito, "'   1'");
        EXPECT_EQ(a.IdDepositoDestino, "'   2'");
        EXPECT_EQ(a.IdMotivoStock, "'   7'") << "the default stock reason";
    }
    {
        Voucher v;
        v.base.execute(QStringLiteral("INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, Cantidad) VALUES "
                                      "('  OP', '000100000015X', 5, 1), ('  OP', '000100000015X', 2, 1);"));
        LineaArticulo(v.f.articulos, "ART002", "2");
        LineaArticulo(v.f.articulos, "PROD", "1", {{AuxCantidadInsumo, "-1"}});
        ArgumentosStock a;
        a.IdDeposito = "4";
        v.base.execute(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DescargaInsumosProduccion', 'SI');"));
        v.actualiza("OP", a);
        EXPECT_EQ(v.filas("OP"), (QStringList{"5|null|null|null|1", "2|null|null|null|1", "7|4|null|null|1",
                                              "8|4|null|null|-2"}))
            << "a production order: the produced line in, then the rest out, after the stored maximum plus two";
    }
}

TEST(ActualizaStock, BatchModeExecutesNothingAndHandsTheStatementsBack)
{
    Voucher v;
    LineaArticulo(v.f.articulos, "ART001", "2", {{AuxNroSerie, "|S1|S2|"}});
    v.base.execute(QStringLiteral("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000003X');"));
    ArgumentosStock a;
    a.GeneraSentenciaSQL = true;
    a.SQLTemp = QStringLiteral("DELETE FROM V_MV_STOCK WHERE 1 = 0");
    a.TCOrigen = "OC";
    a.ComprobanteOrigen = "000100000003X";
    a = v.actualiza("RMC", a);
    EXPECT_FALSE(a.HayError);
    EXPECT_TRUE(v.filas("RMC").isEmpty());
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM C_MV_CPTE WHERE fecharecepcion IS NULL"), "1")
        << "the order's receipt date waits in the batch too";
    const QStringList partes = a.SQLTemp.split(u'\r');
    ASSERT_EQ(partes.size(), 4) << a.SQLTemp.toStdString();
    EXPECT_EQ(partes[0], "DELETE FROM V_MV_STOCK WHERE 1 = 0") << "the caller's batch is extended";
    EXPECT_EQ(partes[1], "if exists(select * from c_mv_cpte where TC='  OC' and IDCOMPROBANTE='000100000003X' and "
                         "fecharecepcion is null)  UPDATE c_mv_cpte set FechaRecepcion='2024-12-10T00:00:00' where "
                         "TC='  OC' and IDCOMPROBANTE='000100000003X'");
    EXPECT_EQ(partes[2], "INSERT INTO V_MV_STOCK(TC,IdComprobante,Secuencia,Fecha,IdCaja,IdDeposito,IdArticulo,"
                         "Descripcion,NroLote,ControladoPor,NroSerie,IdUnidad,Cantidad,CuentaProveedor,IdMotivoStock,"
                         "PrecioVenta,Costo,Impuestos,DtoItem,Tc_Origen,IdComprobante_Origen,Id_Origen,IVARI,IVARNI,"
                         "EQUIV_UDBASE) VALUES (' RMC','000100000015X',1,'2024-12-10T00:00:00',   1,'   1',"
                         "'                   ART001','',NULL,'','                       S1',NULL,1,'PROV01','   7',"
                         "0,0,0,0,'  OC','000100000003X',0,21,0,0)");
    EXPECT_EQ(a.TCOrigen, "'  OC'");

    // The caller runs the batch in its own transaction.
    bool fallo = false;
    std::int32_t nro = 0;
    EjecutaTransaccion(a.SQLTemp.split(u'\r'), fallo, nro, false);
    EXPECT_FALSE(fallo);
    EXPECT_EQ(v.filas("RMC"), (QStringList{"1|1|null|S1|1", "2|1|null|S2|1"}));
    EXPECT_EQ(ValorDe("SELECT fecharecepcion FROM C_MV_CPTE"), "10/12/2024");
}

TEST(ActualizaStock, TheReceiptDateOfAnOrderOnlyWhenTheReceiptIsNotObligatory)
{
    for (const char* obligatoria : {"", "no", "SI"}) {
        Voucher v;
        v.base.execute(QStringLiteral("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000003X');"
                                      "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('IR_Oblig', '%1');")
                           .arg(QLatin1String(obligatoria)));
        LineaArticulo(v.f.articulos, "ART001", "1");
        ArgumentosStock a;
        a.TCOrigen = " oc ";
        a.ComprobanteOrigen = "000100000003X";
        v.actualiza("FCC", a);
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM C_MV_CPTE WHERE fecharecepcion IS NULL"),
                  QLatin1String(obligatoria) == u"SI" ? "1" : "0")
            << "IR_Oblig '" << obligatoria << "'";
    }
}

TEST(ActualizaStock, AFailingRowLeavesNothingOfTheCall)
{
    Voucher v;
    v.base.execute(QStringLiteral("CREATE TRIGGER rechaza BEFORE INSERT ON V_MV_STOCK WHEN NEW.Secuencia = 3 "
                                  "BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END;"));
    LineaArticulo(v.f.articulos, "ART001", "2", {{AuxNroSerie, "|S1|S2|"}});
    LineaArticulo(v.f.articulos, "ART002", "5");
    LineaArticulo(v.f.articulos, "PROD", "1");
    v.base.execute(QStringLiteral("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000003X');"));
    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, QStringLiteral("fila rechazada"));
    ArgumentosStock a;
    a.TCOrigen = "OC";
    a.ComprobanteOrigen = "000100000003X";
    a.SQLTemp = QStringLiteral("previo");
    a = v.actualiza("FCC", a);
    EXPECT_TRUE(a.HayError);
    EXPECT_EQ(prompts.shown().at(0).title, "Aviso al operador");
    EXPECT_TRUE(v.filas("FCC").isEmpty());
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM C_MV_CPTE WHERE fecharecepcion IS NULL"), "1");
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0") << "no input discharged either";
    EXPECT_EQ(a.SQLTemp, "previo");
    EXPECT_EQ(a.TCOrigen, "OC") << "the caller's values stay for another try";

    // The same voucher goes through once the database takes it, in a
    // transaction that an earlier failure does not spoil.
    v.base.execute(QStringLiteral("DROP TRIGGER rechaza;"));
    a = v.actualiza("FCC", ArgumentosStock{});
    EXPECT_FALSE(a.HayError);
    EXPECT_EQ(v.filas("FCC").size(), 4);
}

TEST(ActualizaStock, ATypeWithoutSignWritesNothing)
{
    Voucher v;
    LineaArticulo(v.f.articulos, "ART001", "2");
    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, QStringLiteral("no existe en la tabla de comprobantes"));
    ArgumentosStock a = v.actualiza("ZZ");
    EXPECT_TRUE(a.HayError);
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0");

    Voucher tr;
    LineaArticulo(tr.f.articulos, "ART001", "2");
    a = tr.actualiza("TR");
    EXPECT_TRUE(a.HayError) << "a type in the table that moves no stock";
    a = ArgumentosStock{};
    a.SignoRemota = -1;
    a = tr.actualiza("TR", a);
    EXPECT_FALSE(a.HayError) << "unless the caller gives the sign";
    EXPECT_EQ(tr.filas("TR"), QStringList{"1|1|null|null|-2"});
}

TEST(ActualizaStock, ColumnsWrittenByTypeSettingsAndArguments)
{
    const QStringList siempre = {"TC", "IdComprobante", "Secuencia", "Fecha", "IdDeposito", "IdArticulo",
                                 "Descripcion", "NroLote", "ControladoPor", "NroSerie", "IdUnidad", "Cantidad",
                                 "CuentaProveedor", "IdMotivoStock", "PrecioVenta", "Costo", "Impuestos", "DtoItem",
                                 "Tc_Origen", "IdComprobante_Origen", "Id_Origen", "IVARI", "IVARNI", "EQUIV_UDBASE"};
    struct Caso {
        const char* caso;
        const char* tc;
        const char* caja;
        const char* confirmaUD;
        const char* tecnico;
        const char* loteOrigenCelda;
        const char* loteOrigen;
        QStringList mas;
        const char* valores;  // the values of the extra columns, in order
    } casos[] = {
        {"purchasing type, no cash desk, Null technician", "RMC", "", "", "NULL", "", "", {}, ""},
        {"any other type writes its complement", "IR", "", "", " null ", "", "", {"IdComplemento"}, "0"},
        {"a cash desk, bare", "IR", "1", "", "Null", "", "", {"IdComplemento", "IdCaja"}, "0,   1"},
        {"ConfirmaUDEquiv on", "RMC", "", "si", "NULL", "", "", {"CantidadUD", "IdUnidadBase"}, "2.5,'CJ'"},
        {"an empty technician is four blanks", "RMC", "", "", "", "", "", {"IdTecnico"}, "'    '"},
        {"a technician", "RMC", "", "NO", "7", "", "", {"IdTecnico"}, "'   7'"},
        {"origin lot from the cell", "RMC", "", "", "NULL", "L9", "LX", {"IdOrigen"}, "'  L9'"},
        {"origin lot from the argument", "RMC", "", "", "NULL", "", "LX", {"IdOrigen"}, "'  LX'"},
    };
    for (const Caso& c : casos) {
        Voucher v;
        v.base.execute(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('ConfirmaUDEquiv', '%1');")
                           .arg(QLatin1String(c.confirmaUD)));
        Caja = QString::fromLatin1(c.caja);
        LineaArticulo(v.f.articulos, "ART001", "1",
                      {{Lote_Origen, c.loteOrigenCelda}, {UDEquiv, "CJ"}, {CantEquiv, "2,5"}});
        ArgumentosStock a;
        a.GeneraSentenciaSQL = true;
        a.IdTecnico = QString::fromLatin1(c.tecnico);
        a.LoteOrigen = QString::fromLatin1(c.loteOrigen);
        a = v.actualiza(c.tc, a);
        const auto columnas = columnasDe(a.SQLTemp);
        ASSERT_EQ(columnas.size(), 1u) << c.caso;
        QStringList extra = columnas[0];
        for (const QString& col : siempre)
            EXPECT_EQ(extra.removeAll(col), 1) << c.caso << ": " << col.toStdString();
        EXPECT_EQ(extra, c.mas) << c.caso;
        // The extra columns' values, picked by name from the VALUES list.
        const QString valores = a.SQLTemp.section(QStringLiteral(" VALUES ("), 1).chopped(1);
        const QStringList v2 = valores.split(u',');
        QStringList vistos;
        for (const QString& col : c.mas)
            vistos << v2.value(columnas[0].indexOf(col));
        EXPECT_EQ(vistos.join(u','), QString::fromLatin1(c.valores)) << c.caso;
    }
    Caja = QStringLiteral("1");
}

TEST(ActualizaStock, ValuesOfTheRow)
{
    Voucher v;
    struct Caso {
        const char* caso;
        std::initializer_list<std::pair<int, QString>> celdas;
        const char* columna;
        const char* valor;
    } casos[] = {
        {"no rate of its own: the general rate", {{AuxTasaIVA, ""}}, "IVARI", "21"},
        {"exempt keeps 0", {{AuxTasaIVA, "0"}, {AuxEsExento, "-1"}}, "IVARI", "0"},
        {"a rate of its own", {{AuxTasaIVA, "10,5"}}, "IVARI", "10.5"},
        {"a description without its apostrophes", {{Descripcion, " D'Angelo "}}, "Descripcion", "DAngelo"},
        {"customs lot from the cell", {{Lote_Aduana, "AD'1"}}, "ControladoPor", "AD1"},
        {"amounts with either decimal sign", {{Importe, "100,5"}}, "PrecioVenta", "100.5"},
        {"a blank unit is Null", {{UD, " "}}, "IdUnidad", "null"},
        {"the unit right-justified", {{UD, "kg"}}, "IdUnidad", "  kg"},
        {"origin line id", {{AuxIdCpteOrigen, "42"}}, "Id_Origen", "42"},
        {"equivalence to the base unit", {{EQUIV_UDBASE, "12"}}, "EQUIV_UDBASE", "12"},
        {"the date in its stored form", {}, "Fecha", "2024-12-10T00:00:00"},
    };
    for (const Caso& c : casos) {
        v.base.execute(QStringLiteral("DELETE FROM V_MV_STOCK;"));
        FormularioComprobante f;
        LineaArticulo(f.articulos, "ART001", "1", c.celdas);
        ArgumentosStock a;
        v.cls.ActualizaStock(f.articulos, "IR", kId, "0", "10/12/2024", a);
        EXPECT_EQ(ValorDe(QStringLiteral("SELECT '[' || IFNULL(%1, 'null') || ']' FROM V_MV_STOCK")
                              .arg(QLatin1String(c.columna))),
                  u'[' + QString::fromLatin1(c.valor) + u']')
            << c.caso;
    }
}

TEST(ActualizaStock, OriginAndAccountByLine)
{
    Voucher v;
    LineaArticulo(v.f.articulos, "ART001", "1", {{AuxCpteOrigen, "  RM000100000009X"}});
    LineaArticulo(v.f.articulos, "ART002", "1");
    ArgumentosStock a;
    a.TCOrigen = "ELDELGRID";
    a.ComprobanteOrigen = "eldelgrid";
    a = v.actualiza("IR", a);
    EXPECT_EQ(ValorDe("SELECT group_concat(IFNULL(Tc_Origen, 'null') || '/' || IFNULL(IdComprobante_Origen, 'null') "
                      "|| '/' || IFNULL(CuentaProveedor, 'null'), ';') FROM V_MV_STOCK"),
              "RM/000100000009X/PROV01;//null")
        << "each line's own origin, '' for an empty cell; each article's own supplier";
    EXPECT_EQ(a.TCOrigen, "''") << "the literal of the last row";

    Voucher w;
    LineaArticulo(w.f.articulos, "ART001", "1");
    a = ArgumentosStock{};
    a.Cuenta = "'C''1'";
    a.IdMotivoStock = "  3 ";
    a.TCOrigen = "RM";
    w.actualiza("IR", a);
    EXPECT_EQ(ValorDe("SELECT CuentaProveedor || '/' || IdMotivoStock || '/' || Tc_Origen || '/' || "
                      "IFNULL(IdComprobante_Origen, 'null') FROM V_MV_STOCK"),
              "C'1/   3/  RM/null");
}
