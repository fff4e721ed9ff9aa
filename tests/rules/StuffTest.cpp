#include "rules/Stuff.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

TEST(LetraComprobante, FromTheTwoTaxConditions)
{
    struct Caso {
        const char* empresa;
        const char* comprobante;
        const char* letra;
    } casos[] = {
        {"1", "1", "A"}, {"1", "3", "B"}, {"2", "1", "C"}, {"", "1", "C"},
        {"1", "", "A"},  {" 1", "2", "A"}, {"1.0", "2.5", "B"}, {"01", "04", "B"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(LetraComprobante(QString::fromLatin1(c.empresa), QString::fromLatin1(c.comprobante)),
                  QString::fromLatin1(c.letra))
            << c.empresa << " / " << c.comprobante;
}

TEST(ExisteAsiento, GivesTheMonthAndEntryOfTheVoucher)
{
    TestDatabase db(QStringLiteral(R"(
INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, "NUMERO ASIENTO") VALUES
  ('  PE', '0001', '00000015', 'X', '1.1.01', 3, 1234),
  ('  PE', '0001', '00000016', 'X', '1.1.01', NULL, NULL);
)"));
    QString asiento = QStringLiteral("previo");
    EXPECT_TRUE(ExisteAsiento(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000015"), QStringLiteral("x"),
                              asiento));
    EXPECT_EQ(asiento, QStringLiteral("03 - 001234"));
    EXPECT_TRUE(ExisteAsiento(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000016"), QStringLiteral("X"),
                              asiento));
    EXPECT_EQ(asiento, QStringLiteral("00 - 000000"));

    asiento = QStringLiteral("previo");
    EXPECT_FALSE(ExisteAsiento(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000015"),
                               QStringLiteral("X"), asiento, QStringLiteral("2.1.01")));
    EXPECT_EQ(asiento, QStringLiteral("previo")) << "no entry leaves the text as it was";
    EXPECT_TRUE(ExisteAsiento(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("00000015"),
                              QStringLiteral("X"), asiento, QStringLiteral("1.1.01")));
    EXPECT_FALSE(ExisteAsiento(QStringLiteral("PE"), QStringLiteral("0001"), QStringLiteral("0000'15"),
                               QStringLiteral("X"), asiento));
}

TEST(EquivalenciaComprobante, ReadsTheTypesKey)
{
    TestDatabase db(QStringLiteral(R"(
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('EQU_FC', ' FCE '), ('EQU_TKFC', 'FC');
)"));
    struct Caso {
        const char* tipo;
        const char* equivalente;
    } casos[] = {
        {" fc ", "FCE"}, {"TKFC", "FC"}, {"NC", ""}, {"GF", "GF"}, {" pgfp", "pgfp"}, {"RM", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(EquivalenciaComprobante(QString::fromLatin1(c.tipo)), QString::fromLatin1(c.equivalente)) << c.tipo;
}

TEST(NivelesFamilia, LevelsAreLoadedFromTheConfiguration)
{
    TestDatabase db(QStringLiteral(R"(
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
  ('FLIA_NIVEL1', '2'), ('FLIA_NIVEL2', ''), ('FLIA_NIVEL3', ' 3 digitos'), ('FLIA_NIVEL4', 'x');
)"));
    CargaNivelesFamilia();
    EXPECT_EQ(LargoNivelFamilia, (NivelesFamilia{2, 0, 3, 0, 0, 0}));
    EXPECT_EQ(LargoTotalFamilia, 5);
    CargaFinesNivelFamilia();
    EXPECT_EQ(FinNivelFamilia, (NivelesFamilia{2, 2, 5, 5, 5, 5}));
    EXPECT_EQ(FamiliaPadre(QStringLiteral("01003")), QStringLiteral("01"));
    EXPECT_EQ(FamiliaPadre(QStringLiteral("01")), QString());

    db.execute(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '40000' WHERE CLAVE = 'FLIA_NIVEL2';"));
    EXPECT_THROW(CargaNivelesFamilia(), RuntimeError);
    EXPECT_EQ(LargoNivelFamilia, (NivelesFamilia{2, 0, 3, 0, 0, 0})) << "a failed load keeps the levels it had";
    EXPECT_THROW(CargaFinesNivelFamilia(), RuntimeError);
    EXPECT_EQ(FinNivelFamilia, (NivelesFamilia{2, 2, 5, 5, 5, 5}));
}

TEST(NivelesFamilia, BothLoadsFromOneReadOfTheSettings)
{
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    cn->Open(QStringLiteral("(grabando)"));
    QString nivel2 = QStringLiteral("3");
    cn->rowsFor = [&nivel2](const QString& source) {
        auto rows = std::make_unique<db::RowSet>();
        rows->columns.push_back({QStringLiteral("VALOR"), db::type::VarChar, 50, false});
        rows->addText(source.contains(QLatin1String("'FLIA_NIVEL1'")) ? QStringLiteral("2")
                      : source.contains(QLatin1String("'FLIA_NIVEL2'")) ? nivel2
                                                                        : QStringLiteral(" 1 "));
        return rows;
    };
    ObjDB().gOpenFlag = true;

    CargaNivelesYFinesFamilia();
    EXPECT_EQ(cn->read.size(), 6) << cn->read.join(u'\n').toStdString();
    EXPECT_EQ(LargoNivelFamilia, (NivelesFamilia{2, 3, 1, 1, 1, 1}));
    EXPECT_EQ(LargoTotalFamilia, 9);
    EXPECT_EQ(FinNivelFamilia, (NivelesFamilia{2, 5, 6, 7, 8, 9}));

    nivel2 = QStringLiteral("40000");
    EXPECT_THROW(CargaNivelesYFinesFamilia(), RuntimeError);
    EXPECT_EQ(LargoNivelFamilia, (NivelesFamilia{2, 3, 1, 1, 1, 1})) << "a failed load keeps the levels it had";
    EXPECT_EQ(FinNivelFamilia, (NivelesFamilia{2, 5, 6, 7, 8, 9}));
    releaseObjDB();
}
