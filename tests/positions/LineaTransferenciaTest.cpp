// The statements that save a line of a transfer voucher and the checks of a
// line before it is saved, as text: no database needed.
#include "positions/LineaTransferencia.h"
#include "positions/ValidacionAsignacion.h"

#include "core/DB_Dll.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {

const QString kArticulo = QStringLiteral("                   ART001");
const QDate kHoy(2024, 12, 10);

CabeceraTransferencia cabecera(const QString& numero = QStringLiteral("00000008"))
{
    return {{QStringLiteral("0001"), numero, QStringLiteral("X")}, QStringLiteral("1")};
}

LineaTransferencia linea(const QString& transferir, const QString& posiciones, const QString& cantidades,
                         const QString& lote = {})
{
    return {kArticulo,  QStringLiteral("TORNILLO 3/8"), lote, QStringLiteral("  UN"), transferir, cantidades,
            posiciones, QStringLiteral("42")};
}

QString movimiento(const QString& numero, const QString& cantidad, const QString& lote, const QString& posicion)
{
    return QStringLiteral(" INSERT INTO V_MV_STOCK_DRAVELO (FECHA,TC,SUCURSAL,NUMERO,LETRA,IDARTICULO,IDUNIDADBASE,"
                          "CANTIDAD,NROLOTE,IDDEPOSITO,IDPOSICION,USUARIO,ANULADO) Values('2024-12-10T00:00:00','TRP',"
                          "'0001','%1','X','                   ART001','  UN',%2,%3,'   1',%4,'ana',0)")
        .arg(numero, cantidad, lote, posicion);
}

}  // namespace

TEST(LineaTransferencia, NewVoucherLineMovesOutOfNoPositionIntoEachPosition)
{
    DB_Dll db;
    EXPECT_EQ(SentenciasLineaNueva(db, cabecera(), linea("5", "|P1|P2|", "|3|2|"), "ana", kHoy),
              QStringList({movimiento("00000008", "-5", "NULL", "NULL"), movimiento("00000008", "3", "NULL", "'P1'"),
                           movimiento("00000008", "2", "NULL", "'P2'")}));

    // A lot goes in every row as typed; a comma typed as the decimal sign is
    // written as a point.
    EXPECT_EQ(SentenciasLineaNueva(db, cabecera(), linea("2,5", "|P1|", "|2.5|", " L7 "), "ana", kHoy),
              QStringList({movimiento("00000008", "-2.5", "'L7'", "NULL"), movimiento("00000008", "2.5", "'L7'", "'P1'")}));
}

TEST(LineaTransferencia, ReopenedLineReplacesItsWorkRowAndPositionedMovementsOnly)
{
    DB_Dll db;
    const QString sinLote = QStringLiteral(
        " DELETE FROM V_MV_STOCK_DRAVELO WHERE  TC='TRP' AND SUCURSAL ='0001' AND NUMERO='00000007' AND LETRA='X' "
        "AND IDARTICULO='                   ART001' AND IDUNIDADBASE='  UN' AND  NROLOTE IS NULL AND IDDEPOSITO='   1' "
        "AND NOT idposicion is NULL ");
    EXPECT_EQ(SentenciasLineaReabierta(db, cabecera("00000007"), linea("5", "|A1|B2|", "|3|2|"), "ana", kHoy),
              QStringList({
                  " DELETE FROM aux_V_MV_STOCK_DRAVELO where  TC='TRP' AND SUCURSAL ='0001' AND NUMERO='00000007' AND "
                  "LETRA='X' AND IDARTICULO='                   ART001' AND  ISNULL(NROLOTE,'')=''",
                  "INSERT INTO Aux_V_MV_STOCK_DRAVELO (TC,SUCURSAL,NUMERO,LETRA,IDARTICULO,NROLOTE,DESCRIPCION,"
                  "IDUNIDADBASE,CANTIDAD,CantidadATransferir,CANTIDADES,POSICIONES)VALUES('TRP','0001','00000007','X',"
                  "'                   ART001',NULL,'TORNILLO 3/8','  UN',5,5,'|3|2|','|A1|B2|')",
                  sinLote,
                  movimiento("00000007", "3", "NULL", "'A1'"),
                  movimiento("00000007", "2", "NULL", "'B2'"),
              }));

    const QStringList conLote =
        SentenciasLineaReabierta(db, cabecera("00000007"), linea("5", "|A1|", "|5|", "L7"), "ana", kHoy);
    EXPECT_TRUE(conLote.at(0).endsWith(" AND  ISNULL(NROLOTE,'')='L7'")) << conLote.at(0).toStdString();
    EXPECT_TRUE(conLote.at(2).contains(" AND  NROLOTE='L7' AND IDDEPOSITO='   1'")) << conLote.at(2).toStdString();

    // The line's work-table row is found by what it is, not by the id the
    // station holds: another station's save or reopening gave it a new one.
    LineaTransferencia otroId = linea("5", "|A1|", "|5|");
    otroId.Id = QStringLiteral("1 OR 1=1");
    EXPECT_EQ(SentenciasLineaReabierta(db, cabecera("00000007"), otroId, "ana", kHoy).at(0),
              SentenciasLineaReabierta(db, cabecera("00000007"), linea("5", "|A1|", "|5|"), "ana", kHoy).at(0));
}

TEST(LineaTransferencia, TextsWithApostrophesStayInsideTheirLiterals)
{
    DB_Dll db;
    LineaTransferencia l = linea("5", "|P'1|", "|5|", "L'7");
    l.Descripcion = QStringLiteral("TORNILLO 3/8'");
    const QStringList s = SentenciasLineaReabierta(db, cabecera(), l, "o'brien", kHoy);
    EXPECT_TRUE(s.at(1).contains("'L''7','TORNILLO 3/8''','  UN'")) << s.at(1).toStdString();
    EXPECT_TRUE(s.at(3).contains("'L''7','   1','P''1','o''brien',0)")) << s.at(3).toStdString();
}

TEST(LineaTransferencia, ALineIsSavedOnlyWhenItsPositionsTakeExactlyItsQuantity)
{
    struct Caso {
        const char* nombre;
        const char* transferir;
        const char* posiciones;
        const char* cantidades;
        const char* rechazo;  // words of the message; "" when it passes
    } casos[] = {
        {"two positions", "5", "|P1|P2|", "|3|2|", ""},
        {"decimals", "2.5", "|P1|P2|", "|1.25|1.25|", ""},
        {"list without leading pipe", "5", "P1|", "5|", ""},
        {"no positions", "5", "", "", "no tiene posiciones"},
        {"a position without quantity", "5", "|P1|P2|", "|5|", "cada posicion debe tener su cantidad"},
        {"positions add up to less", "5", "|P1|P2|", "|3|1|", "suman 4 y la cantidad a transferir es 5"},
        {"positions add up to more", "5", "|P1|", "|6|", "suman 6"},
        {"a zero item", "5", "|P1|P2|", "|5|0|", "mayor que 0"},
        {"a negative item", "5", "|P1|P2|", "|7|-2|", "mayor que 0"},
        {"a quantity that is no number", "5", "|P1|", "|cinco|", "mayor que 0"},
        {"an empty position code", "5", "| |P2|", "|1|4|", "mayor que 0"},
        {"a quantity past what a row holds", "1000000000000000", "|P1|", "|1000000000000000|", "demasiado grande"},
        {"positions adding up past it", "5", "|P1|P2|", "|900000000000000|900000000000000|", "demasiado grande"},
    };
    for (const Caso& c : casos) {
        const QString rechazo = RechazoReparto(linea(c.transferir, c.posiciones, c.cantidades));
        if (*c.rechazo)
            EXPECT_TRUE(rechazo.contains(QString::fromUtf8(c.rechazo))) << c.nombre << ": " << rechazo.toStdString();
        else
            EXPECT_EQ(rechazo, "") << c.nombre;
    }
}

TEST(ValidacionAsignacion, TransferQuantityAgainstTheLine)
{
    using Paso = VeredictoTransferencia::Paso;
    struct Caso {
        const char* nombre;
        const char* valor;
        const char* cantidadLinea;
        bool reabierto;
        Paso paso;
        const char* mensaje;
    } casos[] = {
        {"empty", "  ", "10", false, Paso::Nada, ""},
        {"not numeric", "abc", "10", false, Paso::Rechazo, "Debe Ingresar un Valor Numerico"},
        {"negative", "-1", "10", false, Paso::Rechazo, "Debe Ingresar un Valor Positivo"},
        {"above the line", "10.5", "10", false, Paso::Rechazo,
         "El Valor Ingresado no puede ser mayor al de la cantidad de la posicion "},
        {"equal", "10", "10", false, Paso::Posiciones, ""},
        {"below", "4,5", "10", false, Paso::Posiciones, ""},
        {"zero", "0", "10", false, Paso::Cero, ""},
        {"reopened, equal", "10", "10", true, Paso::Posiciones, ""},
        {"reopened, other", "4", "10", true, Paso::Rechazo, "No puede modificar este campo "},
        {"reopened, zero", "0", "10", true, Paso::Rechazo, "No puede modificar este campo "},
    };
    for (const Caso& c : casos) {
        const VeredictoTransferencia v = ValidaTransferencia(c.valor, c.cantidadLinea, c.reabierto);
        EXPECT_EQ(v.paso, c.paso) << c.nombre;
        EXPECT_EQ(v.mensaje, QString::fromUtf8(c.mensaje)) << c.nombre;
    }
}

TEST(ValidacionAsignacion, BranchAndNumberArePaddedWithZeros)
{
    EXPECT_EQ(RellenaCeros("12", 4), std::optional<QString>("0012"));
    EXPECT_EQ(RellenaCeros(" 5 ", 8), std::optional<QString>("00000005"));
    EXPECT_EQ(RellenaCeros("A1", 4), std::nullopt);
    EXPECT_EQ(RellenaCeros("1-", 4), std::nullopt);
}
