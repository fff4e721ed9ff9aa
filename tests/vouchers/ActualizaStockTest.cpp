// The stock rows a voucher writes from its articles grid: items, signs,
// sequence, passes, the batch mode, all-or-nothing, and the row's columns.
#include "vouchers/ClsCmnCptes.h"

#include "ComprobanteStock.h"
#include "FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Transacciones.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
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

// Only spaces are blanks in the lists: a tab is part of the lot or serial
// number it stands in, which is stored right-justified with it.
TEST(ActualizaStock, OnlySpacesAreBlanksInALotOrASerialNumber)
{
    const QString tab = QStringLiteral("\t");
    struct Caso {
        const char* caso;
        const char* tc;
        std::initializer_list<std::pair<int, QString>> celdas;
        QString lote;
        QString serie;
    } casos[] = {
        {"an incoming lot", "IR", {{AuxNroLote, "| " + tab + "L1 |"}}, tab + "L1", {}},
        {"an incoming serial number, the fixed lot", "IR", {{AuxNroSerie, "|" + tab + "S1|"}}, "LF", tab + "S1"},
        {"an outgoing lot and serial number", "RM",
         {{AuxNroLote, "|" + tab + "L1" + Y + "S1" + tab + "|"}, {AuxNroSerie, "|1|"}}, tab + "L1", "S1" + tab},
        {"a tab alone is a lot, not a blank the fixed lot fills", "IR", {{AuxNroLote, "|" + tab + "|"}}, tab, {}},
    };
    for (const Caso& c : casos) {
        Voucher v;
        LineaArticulo(v.f.articulos, QStringLiteral("ART001"), QStringLiteral("1"), c.celdas);
        ArgumentosStock a;
        a.LoteFijo = QStringLiteral("LF");
        a = v.actualiza(c.tc, a);
        EXPECT_FALSE(a.HayError) << c.caso;
        const auto guardado = [](const QString& codigo) {
            return codigo.isEmpty() ? QStringLiteral("(nulo)") : codigo.rightJustified(25);
        };
        EXPECT_EQ(ValorDe("SELECT IFNULL(NroLote, '(nulo)') FROM V_MV_STOCK"), guardado(c.lote)) << c.caso;
        EXPECT_EQ(ValorDe("SELECT IFNULL(NroSerie, '(nulo)') FROM V_MV_STOCK"), guardado(c.serie)) << c.caso;
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

// A host that opened its own transaction and wrote its voucher's header
// calls the update inside it. A row the database refuses undoes the
// update's own rows (its PE number among them) and nothing else: the header
// stays, and the host's transaction is still open for it to commit or roll
// back. An update that goes through is part of the host's transaction.
TEST(ActualizaStock, InsideTheHostsTransactionAFailureUndoesOnlyItsOwnRows)
{
    struct Caso {
        const char* caso;
        bool falla;
        bool confirma;
        const char* cabeceras;  // once the host has ended its transaction
        int filas;
        const char* siguientePE;
    } casos[] = {
        {"refused, then the host commits its header", true, true, "1", 0, "1"},
        {"refused, then the host rolls back", true, false, "0", 0, "1"},
        {"written, then the host commits", false, true, "1", 4, "2"},
        {"written, then the host rolls back: nothing of either", false, false, "0", 0, "1"},
    };
    for (const Caso& c : casos) {
        Voucher v;
        if (c.falla)
            v.base.execute(QStringLiteral("CREATE TRIGGER rechaza BEFORE INSERT ON V_MV_STOCK WHEN NEW.TC = '  PE' "
                                          "AND NEW.Secuencia = 2 BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END;"));
        LineaArticulo(v.f.articulos, "ART001", "3");
        LineaArticulo(v.f.articulos, "PROD", "1");
        db::Connection& cn = ObjDB().gCnn();
        cn.BeginTrans();
        cn.Execute(QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  IR', '000100000015X')"));
        ScopedPrompts prompts;
        if (c.falla)
            prompts.answerMessage(prompt::Ok, QStringLiteral("fila rechazada"));
        const ArgumentosStock a = v.actualiza("IR");
        EXPECT_EQ(a.HayError, c.falla) << c.caso;
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_CPTE"), "1") << c.caso << ": the header, inside the transaction";
        if (c.falla) {
            EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0") << c.caso;
        }

        EXPECT_NO_THROW(c.confirma ? cn.CommitTrans() : cn.RollbackTrans()) << c.caso;
        EXPECT_THROW(cn.CommitTrans(), RuntimeError) << c.caso << ": no transaction left open";
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_CPTE"), c.cabeceras) << c.caso;
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), QString::number(c.filas)) << c.caso;
        EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), c.siguientePE) << c.caso;
    }
}

// Another station holds the database's lock: the operator is asked in the
// error dialog whether to try again, as when a line of the put-away is
// saved. Tried again once the other station is done, the voucher is written
// whole; given up, nothing of it is, nor is a PE number taken.
TEST(ActualizaStock, WhileAnotherStationHoldsTheLockTheOperatorMayTryAgain)
{
    struct Caso {
        const char* caso;
        bool lote;
        bool espera;
    } casos[] = {
        {"executed at once, tried again", false, true},
        {"a batch, given up", true, false},
    };
    for (const Caso& c : casos) {
        Voucher v;
        LineaArticulo(v.f.articulos, "ART001", "3");
        LineaArticulo(v.f.articulos, "PROD", "1");
        db::Connection otra;
        otra.Open(v.base.connectionString());
        otra.BeginTrans();
        ScopedPrompts prompts;
        prompts.answerError(c.espera ? prompt::ErrorRetry : prompt::ErrorLeave, QStringLiteral("ActualizaStock"), [&] {
            if (c.espera)
                otra.CommitTrans();
        });
        ArgumentosStock a;
        a.GeneraSentenciaSQL = c.lote;
        a.SQLTemp = QStringLiteral("previo");
        a = v.actualiza("IR", a);
        if (!c.espera)
            otra.RollbackTrans();
        ASSERT_EQ(prompts.shown().size(), 1u) << c.caso << ": the error dialog, and nothing else";
        EXPECT_EQ(prompts.shown()[0].errorNumber, 1222) << c.caso;
        EXPECT_EQ(a.HayError, !c.espera) << c.caso;
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), c.espera ? "4" : "0") << c.caso;
        EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), c.espera ? "2" : "1") << c.caso;
        if (!c.espera) {
            EXPECT_EQ(a.SQLTemp, "previo") << c.caso;
        }
    }
}

// A stock row names its depot: the line's own, or the voucher's, or the
// setting "DepositoDefault". Without any, the update is refused with a
// message and writes nothing. A blank destination is NULL, and refused only
// where a transfer's second pass would enter it.
TEST(ActualizaStock, AStockRowWithoutADepotIsRefused)
{
    struct Caso {
        const char* caso;
        const char* tc;
        bool transferencia;
        const char* depositoLinea;
        const char* deposito;
        bool lote;
        const char* aviso;  // null: written
    } casos[] = {
        {"no depot at all", "IR", false, "", "", false, "la línea del artículo ART001 no tiene depósito"},
        {"nor in a batch", "RM", false, "", " ", true, "la línea del artículo ART001 no tiene depósito"},
        {"the line's own depot is enough", "IR", false, "3", "", false, nullptr},
        {"a transfer without destination", "TR", true, "", "1", false, "falta el depósito de destino"},
    };
    for (const Caso& c : casos) {
        Voucher v;
        v.base.execute(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'DepositoDefault';"));
        LineaArticulo(v.f.articulos, "ART001", "3", {{Dep, c.depositoLinea}});
        ScopedPrompts prompts;
        if (c.aviso)
            prompts.answerMessage(prompt::Ok, QString::fromUtf8(c.aviso));
        ArgumentosStock a;
        a.EsTransferencia = c.transferencia;
        a.IdDeposito = QString::fromLatin1(c.deposito);
        a.GeneraSentenciaSQL = c.lote;
        a = v.actualiza(c.tc, a);
        EXPECT_EQ(a.HayError, c.aviso != nullptr) << c.caso;
        EXPECT_EQ(a.SQLTemp, "") << c.caso;
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), c.aviso ? "0" : "1") << c.caso;
        if (!c.aviso) {
            EXPECT_EQ(v.filas(c.tc), QStringList{"1|3|null|null|3"}) << c.caso;
            EXPECT_EQ(a.IdDepositoDestino, "NULL") << c.caso;
        }
    }
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

// Each amount of the row from its own cell: values all different, so that
// two columns read from each other's cells cannot pass.
TEST(ActualizaStock, EachAmountComesFromItsOwnCell)
{
    Voucher v;
    v.base.execute(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('ConfirmaUDEquiv', 'SI');"));
    LineaArticulo(v.f.articulos, "ART001", "1",
                  {{Importe, "1,5"}, {PorcDto, "2,5"}, {Costo, "3,5"}, {Impuestos, "4,5"}, {IVARNI, "5,5"},
                   {EQUIV_UDBASE, "6,5"}, {AuxIdCpteOrigen, "7"}, {AuxTasaIVA, "8,5"}, {CantEquiv, "9,5"}});
    v.actualiza("IR");
    EXPECT_EQ(ValorDe("SELECT PrecioVenta || '/' || DtoItem || '/' || Costo || '/' || Impuestos || '/' || IVARNI || "
                      "'/' || EQUIV_UDBASE || '/' || Id_Origen || '/' || IVARI || '/' || CantidadUD FROM V_MV_STOCK"),
              "1.5/2.5/3.5/4.5/5.5/6.5/7/8.5/9.5");
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
