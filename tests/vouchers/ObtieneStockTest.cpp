// An article's stock balance, whole or by lot, serial number and position.
#include "vouchers/ClsCmnCptes.h"

#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// ART001 uses lots only, ART002 serial numbers only, ART003 both. A row of
// ART001 with a serial number and one of ART002 with a lot are the strays
// the flags leave out. Codes right-justified: articles, lots and serials 25,
// depots and units 4, positions 15.
const char* const kStock = R"(
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DepositoDefault', ' 1 ');
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, USALOTE, USASERIE) VALUES
  ('                   ART001', 'Yerba', '  UN', 1, 0),
  ('                   ART002', 'Taladro', '  UN', 0, 1),
  ('                   ART003', 'Vacuna', '  CJ', 1, 1);
INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD) VALUES
  ('                   ART001', '   1', '                       L1', NULL, '             A1', 5),
  ('                   ART001', '   1', '                       L2', NULL, '             A2', 3),
  ('                   ART001', '   2', '                       L1', NULL, '             A1', 7),
  ('                   ART001', '   1', '                       L1', '                       S9', '             A1', 100),
  ('                   ART002', '   1', NULL, '                       S1', NULL, 1),
  ('                   ART002', '   1', NULL, '                       S2', NULL, 1),
  ('                   ART002', '   1', '                       L1', '                       S3', NULL, 1),
  ('                   ART003', '   1', '                       L1', '                       S1', NULL, 2),
  ('                   ART003', '   1', NULL, '                       S2', NULL, 4);
INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK) VALUES
  ('                   ART001', '  UN', '   1', 40), ('                   ART001', '  UN', '   2', 2),
  ('                   ART001', '  CJ', '   1', 3);
)";

}  // namespace

TEST(ObtieneStock, WholeBalanceOrByLotSerialAndPosition)
{
    TestDatabase db(QString::fromLatin1(kStock));
    const ClsCmnCptes cls;
    const char* const I = "Ignorar";
    struct Caso {
        const char* caso;
        const char* articulo;
        const char* deposito;
        const char* lote;
        const char* serie;
        const char* posicion;
        const char* unidad;
        double saldo;
        const char* depositoDespues;
        const char* unidadDespues;
    } casos[] = {
        {"whole: default depot, the article's unit", "ART001", I, I, I, I, I, 40, "   1", "  UN"},
        {"whole: an empty depot sums every depot", "ART001", "", I, I, I, "UN", 42, "", "UN"},
        {"whole: another unit", "ART001", "1", "ignorar", "IGNORAR", "A9", "CJ", 3, "1", "CJ"},
        {"lot, depot and position", "ART001", "1", "L1", I, "a1", I, 5, "1", I},
        {"a lot-only article leaves out rows with a serial", "ART001", "1", "l1", I, I, I, 5, "1", I},
        {"an empty depot sums every depot", "ART001", "", "L1", I, I, I, 12, "", I},
        {"a blank lot filters nothing", "ART001", "1", "   ", I, I, I, 8, "1", I},
        {"a serial-only article asked for a lot has none", "ART002", "1", "L1", I, I, I, 0, "1", I},
        {"a serial-only article by serial", "ART002", "1", I, " s1 ", I, I, 1, "1", I},
        {"a serial-only article leaves out rows with a lot", "ART002", "1", "", I, I, I, 2, "1", I},
        {"an article with both keeps every row", "ART003", "1", "", I, I, I, 6, "1", I},
        {"no matching row", "ART001", "9", "L1", I, I, I, 0, "9", I},
    };
    for (const auto& c : casos) {
        QString deposito = QString::fromLatin1(c.deposito);
        QString unidad = QString::fromLatin1(c.unidad);
        EXPECT_DOUBLE_EQ(cls.ObtieneStock(QString::fromLatin1(c.articulo), deposito, QString::fromLatin1(c.lote),
                                          QString::fromLatin1(c.serie), QString::fromLatin1(c.posicion), unidad),
                         c.saldo)
            << c.caso;
        EXPECT_EQ(deposito, QString::fromLatin1(c.depositoDespues)) << c.caso;
        EXPECT_EQ(unidad, QString::fromLatin1(c.unidadDespues)) << c.caso;
    }
    EXPECT_DOUBLE_EQ(cls.ObtieneStock(QStringLiteral("ART001")), 40) << "every filter omitted";
    EXPECT_DOUBLE_EQ(cls.ObtieneStock(QStringLiteral("ART001"), QStringLiteral("2"), QStringLiteral("L1")), 7);
    // Without the unit, the depot still comes back in the caller's variable.
    QString deposito = ClsCmnCptes::Ignorar;
    EXPECT_DOUBLE_EQ(cls.ObtieneStock(QStringLiteral("ART001"), deposito), 40);
    EXPECT_EQ(deposito, QStringLiteral("   1"));
}

TEST(ObtieneStock, AnArticleMissingFromTheMasterIsAnError)
{
    TestDatabase db(QString::fromLatin1(kStock));
    const ClsCmnCptes cls;
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ObtieneStock"));
    EXPECT_DOUBLE_EQ(cls.ObtieneStock(QStringLiteral("NOEXISTE"), QStringLiteral("1"), QStringLiteral("L1")), 0);
}

TEST(ObtieneStock, BuildsItsStatementsWithEveryValueQuoted)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    cn->Open(QStringLiteral("(grabando)"));
    ObjDB().gOpenFlag = true;
    cn->rowsFor = [](const QString& source) {
        auto rows = std::make_unique<db::RowSet>();
        if (source.contains(QLatin1String("USALOTE"))) {
            rows->columns.push_back({QStringLiteral("USASERIE"), db::type::Boolean, 1, false});
            rows->columns.push_back({QStringLiteral("USALOTE"), db::type::Boolean, 1, false});
            rows->addInteger(0);
            rows->addInteger(1);
        } else {
            rows->columns.push_back({QStringLiteral("SaldoStock"), db::type::Double, 8, false});
            rows->addNull();
        }
        return rows;
    };
    QString deposito = QStringLiteral("1");
    QString unidad = ClsCmnCptes::Ignorar;
    EXPECT_DOUBLE_EQ(cls.ObtieneStock(QStringLiteral("ART001"), deposito, QStringLiteral("L7"), ClsCmnCptes::Ignorar,
                                      QStringLiteral("A1"), unidad),
                     0)
        << "an empty sum";
    EXPECT_EQ(cn->read, QStringList({
                            "SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = "
                            "'                   ART001' ",
                            " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = "
                            "'                   ART001' AND IdDeposito = '   1'  AND NroLote = "
                            "'                       L7'  AND IdPosicion = '             A1'  AND NroSerie is NULL ",
                        }));

    cn->read.clear();
    cls.ObtieneStock(QStringLiteral("ART'01"), deposito, QStringLiteral("L'7"));
    ASSERT_EQ(cn->read.size(), 2);
    EXPECT_TRUE(cn->read[1].contains(u'\'' + QString(22, u' ') + QStringLiteral("L''7'"))) << cn->read[1].toStdString();
    EXPECT_TRUE(cn->read[0].contains(QLatin1String("'                   ART''01'"))) << cn->read[0].toStdString();
    releaseObjDB();
}
