// The inputs of produced articles discharged as a PE voucher, and its number.
#include "vouchers/ClsCmnCptes.h"

#include "ComprobanteStock.h"
#include "FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "rules/Stuff.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>

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
        EXPECT_EQ(a.SQLTemp, "\r UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2 WHERE CODIGO = '  PE' AND TALONARIO=1") << c.caso;
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
    EXPECT_EQ(partes[4], " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2 WHERE CODIGO = '  PE' AND TALONARIO=1");
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0");
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "1");
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
    EXPECT_EQ(d.siguientePE(), "000100000003X");
    EXPECT_NE(primera.SQLTemp, segunda.SQLTemp);
}

// Two stations discharge the same kind of voucher at the same moment, each
// from its own process and connection. Both wait on a lock this test holds
// until both are ready, so that they run side by side: each gets a PE number
// of its own, and each PE voucher holds exactly its own rows.
TEST(DescargaInsumos, TwoStationsAtOnceGetTwoNumbers)
{
    TestDatabase base{QString::fromLatin1(kBaseStock)};
    sqlite3* bloqueo = nullptr;
    ASSERT_EQ(sqlite3_open(base.path().toUtf8().constData(), &bloqueo), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(bloqueo, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    QTemporaryDir marcas;
    std::vector<std::unique_ptr<QProcess>> estaciones;
    for (const char* comprobante : {"000100000021X", "000100000022X"}) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral(ESTACION_DESCARGA),
                 {base.path(), QString::fromLatin1(comprobante), marcas.filePath(QString::fromLatin1(comprobante))});
        ASSERT_TRUE(p->waitForStarted(10000));
        estaciones.push_back(std::move(p));
    }
    // Each station marks the moment it starts its update.
    for (int espera = 0; espera < 200; ++espera) {
        if (QFile::exists(marcas.filePath("000100000021X")) && QFile::exists(marcas.filePath("000100000022X")))
            break;
        QThread::msleep(50);
    }
    QThread::msleep(200);
    ASSERT_EQ(sqlite3_exec(bloqueo, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(bloqueo);
    for (auto& p : estaciones) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAll().toStdString();
    }

    EXPECT_EQ(ValorDe("SELECT COUNT(DISTINCT IdComprobante) FROM V_MV_STOCK WHERE TC = '  PE'"), "2");
    for (const char* pe : {"000100000001X", "000100000002X"})
        EXPECT_EQ(ValorDe(QStringLiteral("SELECT COUNT(DISTINCT IdComprobante_Origen) || '/' || COUNT(*) FROM "
                                         "V_MV_STOCK WHERE TC = '  PE' AND IdComprobante = '%1'")
                              .arg(QLatin1String(pe))),
                  "1/120")
            << pe;
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "3");
}
