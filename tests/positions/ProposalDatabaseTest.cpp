// The position proposal and the candidate rows on the embedded database:
// the statements as sent, and the order they give.
#include "positions/DatosPosicionesSql.h"
#include "positions/PXQ_RTDravelo.h"
#include "positions/frmPosicionEntradas.h"

#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using PXQ_RTDravelo::FuenteProposicion;
using Reserva = FuenteProposicion::Reserva;

namespace {

// Family levels of two characters for the first three levels. The depot is
// stored right-justified, as every other table keeps it; the header gives it bare.
const char* kFixture = R"(
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('FLIA_NIVEL1', '2'), ('FLIA_NIVEL2', '2'), ('FLIA_NIVEL3', '2');
    INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro) VALUES
        ('                   ART001', 'TORNILLO', 'UN', '010203', 'T1', 'R1'),
        ('                   ART002', 'ARANDELA', 'UN', NULL, NULL, NULL),
        ('                   ART003', 'TUERCA', 'UN', '09', 'T9', 'R9');
    INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdArticulo, IdFamilia, IdTipo, IdRubro, ORDENINGRESO) VALUES
        ('   1', 'R1', NULL, NULL, NULL, 'R1', 0),
        ('   1', 'T1', NULL, NULL, 'T1', NULL, 0),
        ('   1', 'P1', NULL, '01', NULL, NULL, 0),
        ('   1', 'P2', NULL, '0102', NULL, NULL, 0),
        ('   1', 'X3', NULL, '010', NULL, NULL, 0),
        ('   1', 'F3', NULL, '010203', NULL, NULL, 3),
        ('   1', 'F1', NULL, '010203', NULL, NULL, 7),
        ('   1', 'A0', '                   ART001', NULL, NULL, NULL, 9),
        ('   1', 'A2', '                   ART001', '010203', NULL, NULL, 5),
        ('   1', 'A1', '                   ART001', NULL, NULL, NULL, 5),
        ('   1', 'Z1', '                   ART003', NULL, NULL, NULL, 1),
        ('   1', 'U2', NULL, NULL, NULL, NULL, 2),
        ('   1', 'U1', NULL, NULL, NULL, NULL, 2),
        ('   2', 'A9', '                   ART001', NULL, NULL, NULL, 0),
        ('   2', 'U9', NULL, NULL, NULL, NULL, 0);
    INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) VALUES
        ('   1', 'F3', 'X', 1), ('   1', 'F3', 'Y', 2), ('   1', 'F3', 'Z', 3), ('   1', 'A1', 'X', 1);
)";

QStringList propone(const QString& articulo, const QString& deposito, const QString& excluida = {})
{
    QStringList lista;
    PXQ_RTDravelo::ProponePosiciones(articulo, deposito, lista, excluida);
    return lista;
}

}  // namespace

TEST(PositionProposalOnDatabase, OrderTable)
{
    TestDatabase db(QString::fromLatin1(kFixture));
    struct Caso {
        const char* nombre;
        const char* articulo;
        const char* deposito;
        const char* excluida;
        QStringList esperada;
    } casos[] = {
        {"article (entry order, then code), family, parents 0102 and 01, type, rubro; three balance rows of F3 "
         "and A2 reserved twice count once; 010 is no ancestor",
         "ART001", "1", "", {"A1", "A2", "A0", "F3", "F1", "P2", "P1", "T1", "R1", ""}},
        {"the article code right-justified or with blanks finds the same article", "   ART001  ", " 1 ", "",
         {"A1", "A2", "A0", "F3", "F1", "P2", "P1", "T1", "R1", ""}},
        {"another depot", "ART001", "2", "", {"A9", ""}},
        {"nothing reserved for the article: the unreserved ones", "ART002", "1", "", {"U1", "U2", ""}},
        {"the only reserved match excluded: the unreserved ones, never the excluded", "ART003", "1", "z1", {"U1", "U2", ""}},
        {"an article the master lacks", "NOEXISTE", "1", "", {""}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(propone(QString::fromLatin1(c.articulo), QString::fromLatin1(c.deposito), QString::fromLatin1(c.excluida)),
                  c.esperada)
            << c.nombre;
}

TEST(PositionProposalOnDatabase, FamilyLevelsOfTwoSearchSixFourAndTwoCharacters)
{
    TestDatabase db(QString::fromLatin1(kFixture));
    PXQ_RTDravelo::FuenteProposicionSql fuente;
    fuente.CargaNivelesFamilia();
    EXPECT_EQ(fuente.FamiliaPadre(QStringLiteral("010203")), "0102");
    EXPECT_EQ(fuente.FamiliaPadre(QStringLiteral("0102")), "01");
    EXPECT_EQ(fuente.FamiliaPadre(QStringLiteral("01")), "");
    EXPECT_EQ(fuente.FamiliaPadre(QStringLiteral("010")), "") << "a length that is no level end has no parent";
}

TEST(PositionProposalOnDatabase, StatementsAsSent)
{
    TestDatabase db;
    EXPECT_EQ(PXQ_RTDravelo::SentenciaReservadas(Reserva::Articulo, QStringLiteral("ART001"), QStringLiteral(" 1")),
              "SELECT ma_posiciones.idposicion  FROM ma_posiciones  left join  ac_saldoslayout on  "
              "ma_posiciones.IdDeposito = ac_saldoslayout.IdDeposito and ma_posiciones.idposicion= "
              "ac_saldoslayout.idposicion where  ma_posiciones.IdArticulo = '                   ART001'  AND "
              "LTRIM(RTRIM(ma_posiciones.idDeposito)) = '1' order by ma_posiciones.ordeningreso, "
              "ma_posiciones.idposicion  ");
    const QString familia = PXQ_RTDravelo::SentenciaReservadas(Reserva::Familia, QStringLiteral("01'2"), QStringLiteral("1"));
    EXPECT_TRUE(familia.contains(QStringLiteral(" where  ma_posiciones.IdFamilia = '01''2'  AND "))) << familia.toStdString();
    EXPECT_TRUE(PXQ_RTDravelo::SentenciaReservadas(Reserva::Tipo, QStringLiteral("T1"), QStringLiteral("1"))
                    .contains(QStringLiteral(" where  ma_posiciones.IdTipo = 'T1'  AND ")));
    EXPECT_TRUE(PXQ_RTDravelo::SentenciaReservadas(Reserva::Rubro, QStringLiteral("R1"), QStringLiteral("1"))
                    .contains(QStringLiteral(" where  ma_posiciones.IdRubro= 'R1'  AND ")));
    EXPECT_EQ(PXQ_RTDravelo::SentenciaSinReserva(QStringLiteral("1")),
              " SELECT iddeposito,idposicion, idunidad ,capacidad  FROM  ma_posiciones where  "
              "LTRIM(RTRIM(idDeposito)) = '1' and idarticulo is null and idtipo is null and idrubro is null and "
              "idfamilia is null order by ordeningreso, idposicion ");
    EXPECT_EQ(SentenciaPosiciones(QStringLiteral("1 "), {"A1", "B'2", ""}),
              " SELECT MA_POSICIONES.idposicion,MA_POSICIONES.descripcion, MA_POSICIONES.ORDENINGRESO,"
              "isnull(MA_POSICIONES.idunidad,'') as idunidad,MA_POSICIONES.habilitado, "
              "isnull(MA_POSICIONES.CAPACIDAD,0)as capacidad,  isnull((  select sum(saldoPOSICION) from "
              "ac_saldoslayout   where LTRIM(RTRIM(iddeposito))='1'   and idposicion=MA_POSICIONES.idposicion  ),0)As "
              "SaldoPosicion  From MA_POSICIONES  WHERE LTRIM(RTRIM(MA_POSICIONES.IDDEPOSITO))='1'  "
              "AND(MA_POSICIONES.IDPOSICION IN ('A1','B''2',''))  ORDER BY ma_posiciones.ordeningreso,"
              "ma_posiciones.idposicion ");
}

TEST(PositionProposalOnDatabase, CandidateRowsCarryTheTotalBalanceOfThePosition)
{
    TestDatabase db(QString::fromLatin1(kFixture) + QStringLiteral(R"(
        UPDATE MA_POSICIONES SET Descripcion = ' Estante F3 ', IdUnidad = 'CJ', HABILITADO = 0, CAPACIDAD = 40
         WHERE IdPosicion = 'F3';)"));
    DatosPosicionesSql datos;
    const auto filas = datos.LeePosiciones(QStringLiteral("1"), {"F3", "A1", "U1", ""});
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(filas[0].IdPosicion, "U1") << "entry order";
    EXPECT_EQ(filas[0].IdUnidad, "") << "no unit reads as empty";
    EXPECT_EQ(filas[0].Capacidad, 0) << "no capacity reads as 0";
    EXPECT_EQ(filas[0].SaldoPosicion, 0) << "no balance reads as 0";
    const FilaPosicion& f3 = filas[1];
    EXPECT_EQ(f3.IdPosicion, "F3");
    EXPECT_EQ(f3.Descripcion, " Estante F3 ");
    EXPECT_EQ(f3.OrdenIngreso, "3");
    EXPECT_EQ(f3.IdUnidad, "CJ");
    EXPECT_EQ(lang::number(f3.Habilitado), 0);
    EXPECT_EQ(f3.Capacidad, 40);
    EXPECT_EQ(f3.SaldoPosicion, 6) << "all articles and lots of the position";
    EXPECT_EQ(filas[2].SaldoPosicion, 1);
}

TEST(PositionProposalOnDatabase, ADepotOfThousandsOfUnreservedPositionsLoadsThemAll)
{
    QString sql = QStringLiteral(
        "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                   ART002', 'A', 'UN');\n"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2500)\n"
        "INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, ORDENINGRESO) SELECT '   1', printf('P%05d', i), i FROM n;");
    TestDatabase db(sql);
    DatosPosicionesSql datos;
    const QStringList propuesta = datos.ProponePosiciones(QStringLiteral("ART002"), QStringLiteral("1"));
    ASSERT_EQ(propuesta.size(), 2501);
    EXPECT_EQ(datos.LeePosiciones(QStringLiteral("1"), propuesta).size(), 2500u);
}

TEST(PositionDialogOnDatabase, ConvertsFillsAndAnswersInTheArticlesUnit)
{
    // A1 holds 6 units with 1 in it; A2 one box of 12 with half a box in it; P1, of the
    // family, is in a unit without equivalence. The line's unit comes
    // right-justified, the depot bare.
    TestDatabase db(QString::fromLatin1(kFixture) + QStringLiteral(R"(
        INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
            ('                   ART001', '  UN', '  UN', 1), ('                   ART001', '  CJ', '  UN', 12);
        UPDATE MA_POSICIONES SET IdUnidad = 'UN', CAPACIDAD = 6, HABILITADO = 1 WHERE IdPosicion = 'A1';
        UPDATE MA_POSICIONES SET IdUnidad = 'CJ', CAPACIDAD = 1, HABILITADO = 1 WHERE IdPosicion = 'A2';
        UPDATE MA_POSICIONES SET IdUnidad = 'KG', CAPACIDAD = 100, HABILITADO = 1 WHERE IdPosicion = 'P1';
        INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) VALUES ('   1', 'A2', 'X', 0.5);)"));
    frmPosicionEntradas f;
    f.eIdArticulo = QStringLiteral("                   ART001");
    f.eIdDeposito = QStringLiteral("1");
    f.eUnidadArticulo = QStringLiteral("  UN");
    f.eCantidadPedida = 10;
    f.eProposicionAutomatica = true;
    f.Form_Load();
    EXPECT_EQ(f.MSFlexGrid1->TextMatrix(2, PosicionEntradas::ColCapacidad), "12");
    EXPECT_EQ(f.MSFlexGrid1->TextMatrix(2, PosicionEntradas::ColDisponible), "6");
    long fila = 0;
    ASSERT_TRUE(f.ExisteEnGrid(QStringLiteral("P1"), 0, fila));
    EXPECT_FALSE(f.EsFilaHabilitada(static_cast<int>(fila)));
    EXPECT_EQ(f.Posiciones, "|A1|A2|");
    EXPECT_EQ(f.Cantidades, "|5|5|");
    EXPECT_EQ(f.eCantidadPedida, 10);
}

// One litre is half a unit: A1's capacity of 10.0001 litres is 5.00005 units
// and the 0.0005 litres in it are 0.00025. Each half goes away from zero, as
// the database's ROUND takes it in the balance view.
TEST(PositionDialogOnDatabase, AHalfIsRoundedAsTheDatabaseRoundsIt)
{
    TestDatabase db(QString::fromLatin1(kFixture) + QStringLiteral(R"(
        INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
            ('                   ART001', '  LT', '  UN', 0.5);
        UPDATE MA_POSICIONES SET IdUnidad = 'LT', CAPACIDAD = 10.0001, HABILITADO = 1 WHERE IdPosicion = 'A1';
        DELETE FROM AC_SALDOSINICIALES WHERE IdPosicion = 'A1';
        INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) VALUES ('   1', 'A1', 'X', 0.0005);)"));
    const auto redondeo = [](const char* valor) {
        db::Recordset rs;
        ObjDB().AbrirRecordset(QStringLiteral("SELECT ROUND(%1, 4)").arg(QString::fromLatin1(valor)), rs);
        const QString texto = lang::text(rs.value(0));
        ObjDB().CierraRecordset(rs);
        return texto;
    };
    ASSERT_EQ(redondeo("10.0001 * 0.5"), "5.0001");
    ASSERT_EQ(redondeo("0.0005 * 0.5"), "0.0003");

    DatosPosicionesSql datos;
    GrillaMemoria grilla(2, PosicionEntradas::Columnas);
    PosicionEntradas d(datos, grilla);
    d.eIdArticulo = QStringLiteral("ART001");
    d.eIdDeposito = QStringLiteral("1");
    d.eUnidadArticulo = QStringLiteral("UN");
    d.CargaPosiciones();
    long fila = 0;
    ASSERT_TRUE(d.ExisteEnGrid(QStringLiteral("A1"), 0, fila));
    EXPECT_EQ(grilla.TextMatrix(static_cast<int>(fila), PosicionEntradas::ColCapacidad), "5.0001");
    EXPECT_EQ(grilla.TextMatrix(static_cast<int>(fila), PosicionEntradas::ColDisponible), "4.9998");
}
