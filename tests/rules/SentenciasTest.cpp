#include "rules/Sentencias.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

using namespace sentencias;

namespace {

const QString ART001 = QStringLiteral("                   ART001");
const QString INSUMO01 = QStringLiteral("                 INSUMO01");

}  // namespace

TEST(Sentencias, StatementsCarryCodesRightJustified)
{
    struct Caso {
        const char* caso;
        QString sql;
        QString esperado;
    } casos[] = {
        {"talonarios of a type", TalonariosDelTipo(QStringLiteral(" PE ")),
         QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = '  PE' ORDER BY TALONARIO")},
        {"talonarios of a branch and letter", TalonariosDeSucursal(QStringLiteral("PE"), QStringLiteral("x"), QStringLiteral("0001")),
         QStringLiteral("Select * from v_ta_cpte where codigo = '  PE' and X_SUC_DEFAULT = 1")},
        {"chosen talonario", TalonarioDelTipo(QStringLiteral("PE"), 1),
         QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = '  PE' and Talonario = 1")},
        {"talonario to record in", TalonarioParaGrabar(QStringLiteral("PE"), 1),
         QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = '  PE' AND TALONARIO =1")},
        {"shared talonario", TalonarioCompartido(QStringLiteral("PE"), QStringLiteral(" STOCK "), 1),
         QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = '  PE' AND SISTEMA = 'STOCK' AND TALONARIO = 1")},
        {"next number in this system's talonario",
         ActualizaUltimoNumero(false, QStringLiteral("PE"), QStringLiteral("STOCK"), QStringLiteral("X"), QStringLiteral("16"), 1),
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  PE' AND TALONARIO=1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)")},
        {"next number in the shared talonario",
         ActualizaUltimoNumero(true, QStringLiteral("PE"), QStringLiteral("STOCK"), QStringLiteral("X"), QStringLiteral("16"), 1),
         QStringLiteral(" UPDATE TA_Comprobantes SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  PE' AND SISTEMA = 'STOCK' AND TALONARIO =1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)")},
        {"control row, unless written already",
         InsertaControl(false, QStringLiteral("OC"), QStringLiteral("COMPRAS"), 1, QStringLiteral("0001"),
                        QStringLiteral("00000015"), QStringLiteral("X")),
         QStringLiteral(" INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) SELECT '  OC','0001','00000015','X' "
                        "FROM V_TA_CPTE WHERE CODIGO = '  OC' AND TALONARIO=1 AND NOT EXISTS (SELECT * FROM "
                        "V_MV_CTROL_CPTE WHERE TC = '  OC' AND SUCURSAL = '0001' AND NUMERO = '00000015' AND LETRA = 'X')")},
        {"control row of a shared talonario",
         InsertaControl(true, QStringLiteral("PE"), QStringLiteral("STOCK"), 2, QStringLiteral("0001"),
                        QStringLiteral("00000015"), QStringLiteral("X")),
         QStringLiteral(" INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) SELECT '  PE','0001','00000015','X' "
                        "FROM TA_Comprobantes WHERE CODIGO = '  PE' AND SISTEMA = 'STOCK' AND TALONARIO =2 AND NOT EXISTS "
                        "(SELECT * FROM V_MV_CTROL_CPTE WHERE TC = '  PE' AND SUCURSAL = '0001' AND NUMERO = '00000015' "
                        "AND LETRA = 'X')")},
        {"next number and the date and time of the change",
         ActualizaUltimoNumero(false, QStringLiteral("FC"), QStringLiteral("VENTAS"), QStringLiteral("X"), QStringLiteral("17"), 1,
                               QStringLiteral("10/12/24 14:05")),
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 17, fechahora_modificacion = '10/12/24 14:05' WHERE "
                        "CODIGO = '  FC' AND TALONARIO=1 AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 17)")},
        {"control row delete", BorraControl(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000015"), QStringLiteral("X")),
         QStringLiteral("DELETE FROM V_MV_CTROL_CPTE WHERE TC = '  PE' AND SUCURSAL = '0001' AND NUMERO = '00000015' AND LETRA = 'X'")},
        {"entries without account", AsientosDelComprobante(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000015"), QStringLiteral("X"), QString()),
         QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = '  PE' AND SUCURSAL = '0001' AND NUMERO = '00000015' AND LETRA = 'X'")},
        {"entries of an account", AsientosDelComprobante(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000015"), QStringLiteral("X"), QStringLiteral("1.1.01")),
         QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = '  PE' AND SUCURSAL = '0001' AND NUMERO = '00000015' AND LETRA = 'X' AND CUENTA = '1.1.01'")},
        {"last entry", UltimoAsiento(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("X")),
         QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS WHERE TC = '  PE' AND SUCURSAL= '0001' AND LETRA = 'X'")},
        {"purchase order exists", CompraExistente(QStringLiteral("OC"), QStringLiteral("000100000015X")),
         QStringLiteral("SELECT * From C_MV_CPTE WHERE TC = 'OC' AND IDCOMPROBANTE = '000100000015X'")},
        {"last purchase order", UltimaCompra(QStringLiteral("OC"), QStringLiteral("0001"), QStringLiteral("X")),
         QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From C_MV_CPTE WHERE TC = 'OC' AND SUBSTRING(IDCOMPROBANTE,1,4) = '0001' AND SUBSTRING(IDCOMPROBANTE,13,1) = 'X'")},
        {"identifier in stock", IdentificadorEnStock(QStringLiteral("PE"), QStringLiteral("000100000015X")),
         QStringLiteral("SELECT TC,IDCOMPROBANTE From V_MV_STOCK WHERE TC = '  PE' AND IDCOMPROBANTE = '000100000015X'")},
        {"highest identifier in stock", UltimoIdentificadorEnStock(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("X")),
         QStringLiteral("SELECT MAX(IDCOMPROBANTE) AS ULTIMO From V_MV_STOCK WHERE TC = '  PE' AND SUBSTRING(IDCOMPROBANTE, 1, 4)= '0001' AND SUBSTRING(IDCOMPROBANTE, 13, 1)= 'X'")},
        {"lots, depot as a code", LotesDelArticulo(QStringLiteral("INSUMO01"), QStringLiteral("1")),
         QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '") + INSUMO01
             + QStringLiteral("' AND CANTIDAD > 0  AND IDDEPOSITO = '   1' and not nrolote is null ORDER BY NROLOTE")},
        {"lots, depot as a ready literal", LotesDelArticulo(INSUMO01, QStringLiteral("'   1'")),
         QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '") + INSUMO01
             + QStringLiteral("' AND CANTIDAD > 0  AND IDDEPOSITO = '   1' and not nrolote is null ORDER BY NROLOTE")},
        {"inputs", InsumosDelArticulo(QStringLiteral("ART001 ")),
         QStringLiteral("SELECT * FROM V_MA_INSUMOS WHERE IDARTICULO = '") + ART001 + u'\''},
        {"article unit", UnidadDelArticulo(QStringLiteral("ART001")),
         QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = '") + ART001 + u'\''},
        {"equivalence", Equivalencia(QStringLiteral("ART001"), QStringLiteral("UN "), QStringLiteral("CJ")),
         QStringLiteral("SELECT * FROM  S_TA_EQUIV WHERE IdArticulo = '") + ART001
             + QStringLiteral("' AND IDUNIDAD = '  UN' AND IDUNIDAD_EQUIV = '  CJ'")},
        {"stock in one depot", StockDelArticulo(QStringLiteral("1"), QStringLiteral("ART001"), QStringLiteral("UN")),
         QStringLiteral("SELECT STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = '") + ART001
             + QStringLiteral("' AND EQUIVALENCIA = '  UN' AND IDDEPOSITO = '   1'")},
        {"stock over every depot", StockDelArticulo(QStringLiteral("   "), QStringLiteral("ART001"), QStringLiteral("UN")),
         QStringLiteral("SELECT SUM(STOCK) AS STOCK  FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = '") + ART001
             + QStringLiteral("' AND EQUIVALENCIA = '  UN' ")},
    };
    for (const auto& c : casos)
        EXPECT_EQ(c.sql, c.esperado) << c.caso;
}

TEST(Sentencias, ApostrophesStayInsideTheirLiterals)
{
    EXPECT_EQ(UnidadDelArticulo(QStringLiteral("O'NEIL")),
              QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = '                   O''NEIL'"));
    EXPECT_EQ(LotesDelArticulo(QStringLiteral("A"), QStringLiteral("'1'' OR ''1''=''1'")),
              QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '                        A' AND "
                             "CANTIDAD > 0  AND IDDEPOSITO = '1'' OR ''1''=''1' and not nrolote is null ORDER BY NROLOTE"));
    EXPECT_EQ(TalonarioCompartido(QStringLiteral("PE"), QStringLiteral("ST'OCK"), 2),
              QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = '  PE' AND SISTEMA = 'ST''OCK' AND TALONARIO = 2"));
    // A number column only ever receives a number.
    EXPECT_EQ(ActualizaUltimoNumero(false, QStringLiteral("PE"), {}, QStringLiteral("A"), QStringLiteral("16; DELETE"), 1),
              QStringLiteral(" UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 16 WHERE CODIGO = '  PE' AND TALONARIO=1 "
                             "AND (A_ULTIMO_NRO IS NULL OR A_ULTIMO_NRO < 16)"));
}

TEST(Sentencias, ColumnsAreNamedOnlyFromOneValidLetter)
{
    EXPECT_EQ(ColumnaLetra(QStringLiteral(" m "), QStringLiteral("Vence")), QStringLiteral("MVence"));
    for (const char* letra : {"A", "b", "C", "e", "R", "x", "M"})
        EXPECT_TRUE(EsLetraValida(QString::fromLatin1(letra))) << letra;
    for (const char* letra : {"", " ", "Q", ",", "A,B", "AB", "1", "X'"}) {
        EXPECT_FALSE(EsLetraValida(QString::fromLatin1(letra))) << '"' << letra << '"';
        try {
            ColumnaLetra(QString::fromLatin1(letra), QStringLiteral("_SUC_DEFAULT"));
            ADD_FAILURE() << "a column was named from \"" << letra << '"';
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), errnum::InvalidProcedureCall);
        }
    }
}
