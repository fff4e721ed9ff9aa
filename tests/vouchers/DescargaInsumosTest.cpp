// The inputs of produced articles discharged as a PE voucher, and its number.
#include "vouchers/ClsCmnCptes.h"

#include "ComprobanteStock.h"
#include "FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/Value.h"
#include "rules/Stuff.h"
#include "tests/support/EstacionesALaVez.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace ColArticulos;

namespace {

const QString kId = QStringLiteral("000100000015X");
const QString kPE1 = QStringLiteral("000100000001X");

struct Descarga {
    TestDatabase base{QString::fromLatin1(kBaseStock)};
    FormularioComprobante f;
    ClsCmnCptes cls;

    ArgumentosStock actualiza(ArgumentosStock a = {}, const char* tc = "FC")
    {
        cls.ActualizaStock(f.articulos, QString::fromLatin1(tc), kId, QStringLiteral("0"),
                           QStringLiteral("10/12/2024"), a);
        return a;
    }
    QString siguientePE() const
    {
        QString sucursal = QStringLiteral("0001");
        QString letra = QStringLiteral("X");
        return AsignarNumeroComprobante(QStringLiteral("PE"), sucursal, letra).toString();
    }
};

}  // namespace

TEST(DescargaInsumos, InputsLeaveLotByLotAsAPEVoucher)
{
    struct Caso {
        const char* caso;
        const char* cantidad;
        const char* porcentaje;
        const char* deposito;
        QStringList filas;
    } casos[] = {
        {"10 units at 2 each from lots A 5 and B 30; 25 % of an input without lots", "10", "0", "1",
         {"1|1|A|null|-5", "2|1|B|null|-15", "3|1|null|null|-250"}},
        {"by percentage: 25 % of 10 is 2.5; an empty flag reads as set", "10", "", "1",
         {"1|1|A|null|-0.2", "2|1|null|null|-2.5"}},
        {"lots short of the quantity: the rest without lot", "20", "NO", "1",
         {"1|1|A|null|-5", "2|1|B|null|-30", "3|1|null|null|-5", "4|1|null|null|-500"}},
        {"no lot in the voucher's depot: one row of the whole quantity", "1", "0", "9",
         {"1|9|null|null|-2", "2|9|null|null|-25"}},
    };
    for (const Caso& c : casos) {
        Descarga d;
        LineaArticulo(d.f.articulos, "PROD", QString::fromLatin1(c.cantidad),
                      {{Aux_InsumosPorPorcentaje, QString::fromLatin1(c.porcentaje)}});
        ArgumentosStock a;
        a.IdDeposito = QString::fromLatin1(c.deposito);
        a = d.actualiza(a);
        EXPECT_FALSE(a.HayError) << c.caso;
        EXPECT_EQ(FilasStock("PE", kPE1), c.filas) << c.caso;
        EXPECT_EQ(a.SQLTemp, "\r UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2 WHERE CODIGO = '  PE' AND TALONARIO=1 "
                             "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 2)")
            << c.caso;
        EXPECT_EQ(d.siguientePE(), "000100000002X") << c.caso << ": the number was recorded with the rows";
    }
}

TEST(DescargaInsumos, TheRowPointsBackToItsVoucher)
{
    Descarga d;
    LineaArticulo(d.f.articulos, "PROD", "1", {{Dep, "2"}});
    d.actualiza({}, "  FC");
    EXPECT_EQ(ValorDe("SELECT group_concat(IdArticulo || '/' || Descripcion || '/' || IdUnidad || '/' || "
                      "IFNULL(CuentaProveedor, 'null') || '/' || Costo || '/' || IdMotivoStock || '/' || Tc_Origen || "
                      "'/' || IdComprobante_Origen || '/' || ControladoPor || '/' || IdComplemento, ';') "
                      "FROM V_MV_STOCK WHERE TC = '  PE'"),
              "                     INS1/Harina/  KG/PROV09/12.5/   7/  FC/000100000015X/PROD/0;"
              "                     INS2/Salfina/  KG/null/1/   7/  FC/000100000015X/PROD/0")
        << "the line's depot when it has one; lots from the voucher's; the voucher's type as the caller gave it";
    EXPECT_EQ(ValorDe("SELECT group_concat(IdDeposito, ';') FROM V_MV_STOCK WHERE TC = '  PE'"), "   2;   2");

    // An account given by the caller is every row's, the inputs' too.
    Descarga g;
    LineaArticulo(g.f.articulos, "PROD", "1");
    ArgumentosStock a;
    a.Cuenta = QStringLiteral("'C9'");
    g.actualiza(a);
    EXPECT_EQ(ValorDe("SELECT group_concat(CuentaProveedor, ';') FROM V_MV_STOCK WHERE TC = '  PE'"), "C9;C9");
}

TEST(DescargaInsumos, NothingWhenSkippedOrNothingIsMadeOfInputs)
{
    for (const char* valor : {"SI", "si"}) {
        Descarga d;
        d.base.execute(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                                      "('DescargaInsumosProduccion', '%1');")
                           .arg(QLatin1String(valor)));
        LineaArticulo(d.f.articulos, "PROD", "10");
        const ArgumentosStock a = d.actualiza();
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  PE'"), "0") << valor;
        EXPECT_EQ(a.SQLTemp, "") << valor;
    }
    Descarga d;
    LineaArticulo(d.f.articulos, "ART001", "10");
    const ArgumentosStock a = d.actualiza();
    EXPECT_EQ(a.SQLTemp, "");
    EXPECT_EQ(d.siguientePE(), kPE1) << "no number taken";
}

TEST(DescargaInsumos, BatchModeAndAPurchase)
{
    Descarga d;
    LineaArticulo(d.f.articulos, "PROD", "1", {{AuxNroLote, "|L1|"}});
    ArgumentosStock a;
    a.GeneraSentenciaSQL = true;
    a = d.actualiza(a, "FCC");
    const QStringList partes = a.SQLTemp.split(u'\r');
    ASSERT_EQ(partes.size(), 5) << a.SQLTemp.toStdString();
    EXPECT_TRUE(partes[1].startsWith("INSERT INTO V_MV_STOCK(TC,IdComprobante,Secuencia,")) << "a purchase: no complement";
    EXPECT_EQ(partes[2], "INSERT INTO V_MV_STOCK(TC,IdComprobante,Secuencia,Fecha,IdDeposito,IdArticulo,Descripcion,"
                         "NroLote,IdUnidad,Cantidad,CuentaProveedor,IdMotivoStock,PrecioVenta,Costo,Tc_Origen,"
                         "IdComprobante_Origen,ControladoPor) VALUES ('  PE','000100000001X',1,'2024-12-10T00:00:00',"
                         "'   1','                     INS1','Harina','                        A','  KG',2,'PROV09',"
                         "'   7',0,12.5,'FCC','000100000015X','PROD')")
        << "an incoming voucher's inputs take its sign";
    EXPECT_EQ(partes[4], " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2 WHERE CODIGO = '  PE' AND TALONARIO=1 AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 2)");
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0");
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "2")
        << "the number is claimed while the batch is built";
}

TEST(DescargaInsumos, TheNumberIsFreeAfterAFailureAndRightAfterTheBatchRunsAgain)
{
    Descarga d;
    d.base.execute(QStringLiteral("CREATE TRIGGER rechaza BEFORE INSERT ON V_MV_STOCK WHEN NEW.TC = '  PE' "
                                  "AND NEW.Secuencia = 2 BEGIN SELECT RAISE(ABORT, 'insumo rechazado'); END;"));
    LineaArticulo(d.f.articulos, "PROD", "10");
    {
        ScopedPrompts prompts;
        prompts.answerMessage(prompt::Ok, QStringLiteral("insumo rechazado"));
        const ArgumentosStock a = d.actualiza();
        EXPECT_TRUE(a.HayError);
        EXPECT_EQ(a.SQLTemp, "") << "no number to record";
    }
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0");
    EXPECT_EQ(d.siguientePE(), kPE1) << "the number stays free";

    // Two vouchers discharged one after the other; the first one's caller
    // runs what it was handed back only after the second: the next number
    // is still the right one.
    d.base.execute(QStringLiteral("DROP TRIGGER rechaza;"));
    const ArgumentosStock primera = d.actualiza();
    const ArgumentosStock segunda = d.actualiza();
    EXPECT_EQ(FilasStock("PE", "000100000002X").size(), 3);
    bool fallo = false;
    std::int32_t nro = 0;
    EjecutaTransaccion(primera.SQLTemp.split(u'\r'), fallo, nro, false);
    EXPECT_FALSE(fallo);
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "3")
        << "the first one's statements, run late, do not take the number back";
    EXPECT_EQ(d.siguientePE(), "000100000003X");
    EXPECT_NE(primera.SQLTemp, segunda.SQLTemp);
}

// A PE talonario of the accounting system records each number handed out in
// a control row. One voucher writes one, in either mode, however the host
// runs what it was handed back: once, twice, its statements in reverse.
TEST(DescargaInsumos, AnAccountingTalonarioGetsOneControlRowPerVoucher)
{
    struct Caso {
        const char* caso;
        bool lote;
        bool alReves;
    } casos[] = {
        {"executed at once, the statement handed back run twice", false, false},
        {"a batch run twice", true, false},
        {"a batch run twice, its statements in reverse", true, true},
    };
    for (const Caso& c : casos) {
        Descarga d;
        d.base.execute(QStringLiteral("UPDATE V_TA_CPTE SET SISTEMA = 'Contable' WHERE CODIGO = '  PE';"));
        LineaArticulo(d.f.articulos, "PROD", "1");
        ArgumentosStock a;
        a.GeneraSentenciaSQL = c.lote;
        a = d.actualiza(a);
        ASSERT_FALSE(a.HayError) << c.caso;
        QStringList sentencias = a.SQLTemp.split(u'\r');
        if (c.alReves)
            std::reverse(sentencias.begin(), sentencias.end());
        for (int vez = 0; vez < 2; ++vez) {
            bool fallo = false;
            std::int32_t nro = 0;
            EjecutaTransaccion(sentencias, fallo, nro, false);
            EXPECT_FALSE(fallo) << c.caso;
        }
        EXPECT_EQ(ValorDe("SELECT group_concat(TC || SUCURSAL || NUMERO || LETRA, ';') FROM V_MV_CTROL_CPTE"),
                  QStringLiteral("  PE000100000001X"))
            << c.caso;
        EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "2") << c.caso;
    }
}

// Batches built one after the other and run later, in any order or never:
// each voucher's inputs go out under a PE number of its own, claimed while
// its batch was built; a batch never run leaves its number unused.
TEST(DescargaInsumos, EachBatchHoldsANumberOfItsOwnWhenItRunsLateOrNever)
{
    Descarga d;
    LineaArticulo(d.f.articulos, "PROD", "10");
    std::vector<ArgumentosStock> lotes;
    for (const char* id : {"000100000021X", "000100000022X", "000100000023X"}) {
        ArgumentosStock a;
        a.GeneraSentenciaSQL = true;
        d.cls.ActualizaStock(d.f.articulos, QStringLiteral("FC"), QString::fromLatin1(id), QStringLiteral("0"),
                             QStringLiteral("10/12/2024"), a);
        ASSERT_FALSE(a.HayError) << id;
        lotes.push_back(a);
    }
    for (const int i : {1, 0}) {
        bool fallo = false;
        std::int32_t nro = 0;
        EjecutaTransaccion(lotes[static_cast<std::size_t>(i)].SQLTemp.split(u'\r'), fallo, nro, false);
        EXPECT_FALSE(fallo) << i;
    }
    EXPECT_EQ(ValorDe("SELECT group_concat(IdComprobante || ':' || IdComprobante_Origen || ':' || Secuencia, ' ') "
                      "FROM (SELECT * FROM V_MV_STOCK WHERE TC = '  PE' ORDER BY IdComprobante, Secuencia)"),
              "000100000001X:000100000021X:1 000100000001X:000100000021X:2 000100000001X:000100000021X:3 "
              "000100000002X:000100000022X:1 000100000002X:000100000022X:2 000100000002X:000100000022X:3");
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "4");
}

// Without a PE talonario no number of the discharge can be held, in either
// mode: the voucher is refused with one message that says so, and nothing of
// it is written or handed back.
TEST(DescargaInsumos, WithoutAPETalonarioTheVoucherIsRefusedInEitherMode)
{
    for (const bool lote : {false, true}) {
        Descarga d;
        d.base.execute(QStringLiteral("DELETE FROM V_TA_CPTE WHERE CODIGO = '  PE';"));
        LineaArticulo(d.f.articulos, "ART001", "2");
        LineaArticulo(d.f.articulos, "PROD", "10");
        ScopedPrompts prompts;
        prompts.answerMessage(prompt::Ok, QStringLiteral("no hay un talonario del comprobante PE"));
        ArgumentosStock a;
        a.GeneraSentenciaSQL = lote;
        a.SQLTemp = QStringLiteral("previo");
        a = d.actualiza(a);
        EXPECT_TRUE(a.HayError) << lote;
        EXPECT_EQ(a.SQLTemp, "previo") << lote;
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0") << lote;
        EXPECT_EQ(prompts.shown().size(), 1u) << lote << ": " << prompts.messages().join(u'/').toStdString();
    }
}

namespace {

// Stations that discharge the same kind of voucher at the same moment, each
// from its own process and connection ("directo" or "lote" for its mode):
// station i writes `cuantos` vouchers of `lineas` lines, numbered from
// 21 + i * cuantos. All wait on a lock this test holds until every one is
// ready, so that they run side by side. Each must write all its vouchers.
void correEstaciones(const TestDatabase& base, const char* modo, int estaciones, int cuantos, int lineas)
{
    std::vector<QStringList> argumentos;
    for (int i = 0; i < estaciones; ++i)
        argumentos.push_back({base.path(), QString::fromLatin1(modo), QString::number(21 + i * cuantos),
                              QString::number(cuantos), QString::number(lineas)});
    CorreEstacionesALaVez(base.path(), QStringLiteral(ESTACION_DESCARGA), argumentos);
}

// Each PE voucher as "its origins/its rows/its first and last Secuencia".
QStringList ValesPE()
{
    QStringList vales;
    DB_Dll& db = ObjDB();
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT COUNT(DISTINCT IdComprobante_Origen), COUNT(*), MIN(Secuencia), "
                                     "MAX(Secuencia) FROM V_MV_STOCK WHERE TC = '  PE' GROUP BY IdComprobante"),
                      rs);
    for (; !rs.Eof(); rs.MoveNext())
        vales << QStringLiteral("%1/%2/%3-%4")
                     .arg(lang::text(rs.value(0)), lang::text(rs.value(1)), lang::text(rs.value(2)),
                          lang::text(rs.value(3)));
    db.CierraRecordset(rs);
    return vales;
}

}  // namespace

// Two stations write the stock of a voucher at the same moment: each gets a
// PE number of its own, and each PE voucher holds exactly its own rows.
// The stock the inputs take moves with each voucher: lot A holds enough
// that no voucher empties it, so every line takes its flour from A alone
// whichever station comes first.
const char* const kLoteSobrado =
    "INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, CANTIDAD) "
    "VALUES ('                     INS1', '   1', '                        A', 100000);";

TEST(DescargaInsumos, TwoStationsAtOnceGetTwoNumbers)
{
    TestDatabase base{QString::fromLatin1(kBaseStock) + QString::fromLatin1(kLoteSobrado)};
    correEstaciones(base, "directo", 2, 1, 40);
    EXPECT_EQ(ValesPE(), QStringList({"1/80/1-80", "1/80/1-80"}));
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "3");
}

// The PE talonario lives in the table every system shares, not in this
// system's: stations claiming from it at once, executing their vouchers or
// building batches, still never share a number, and the number is recorded
// where it lives.
TEST(DescargaInsumos, StationsSharingATalonarioOfTheSharedTableNeverShareANumber)
{
    struct Caso {
        const char* modo;
        int estaciones;
        int cuantos;
        int lineas;
        QStringList vales;
        const char* siguiente;
    } casos[] = {
        {"directo", 3, 2, 10, QStringList(6, QStringLiteral("1/20/1-20")), "7"},
        {"lote", 4, 6, 1, QStringList(24, QStringLiteral("1/2/1-2")), "25"},
    };
    for (const Caso& c : casos) {
        TestDatabase base{QString::fromLatin1(kBaseStock) + QString::fromLatin1(kLoteSobrado) + QStringLiteral(R"(
DELETE FROM V_TA_CPTE WHERE CODIGO = '  PE';
INSERT INTO TA_Comprobantes (CODIGO, TALONARIO, SISTEMA, ES, Letras, Modificanumeracion,
                             X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  PE', 3, 'STOCK', 'S', 'X', 'NO', 1, 1, 99999999, 1);
)")};
        correEstaciones(base, c.modo, c.estaciones, c.cuantos, c.lineas);
        EXPECT_EQ(ValesPE(), c.vales) << c.modo;
        EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM TA_Comprobantes WHERE CODIGO = '  PE'"), c.siguiente) << c.modo;
        EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "0") << c.modo;
    }
}

// Four stations each build the batch of a voucher and run it, eight times,
// all at once: every voucher's inputs go out under a PE number of its own.
TEST(DescargaInsumos, StationsBuildingAndRunningBatchesAtOnceNeverShareANumber)
{
    TestDatabase base{QString::fromLatin1(kBaseStock) + QString::fromLatin1(kLoteSobrado)};
    correEstaciones(base, "lote", 4, 8, 1);
    EXPECT_EQ(ValesPE(), QStringList(32, QStringLiteral("1/2/1-2")));
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "33");
}
