#include "core/DB_Dll.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

const char* kRows = R"(
    INSERT INTO ta_usuarios (nombre, UNegocio, NombreCompleto) VALUES
        ('ana', '   7', NULL), ('O''Brien', '   3', 'Pat O''Brien');
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024');
    INSERT INTO CONTROL_ACCESO (ID, Usuario, INGRESO, EGRESO) VALUES
        (15, 'ana', '2024-12-10T08:00:00', '2024-12-10T14:05:00'), (16, 'ana', '2024-12-11T08:00:00', NULL);
    INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Costo) VALUES
        ('                   ART001', 'TORNILLO 3/8', 80), ('                   ART002', 'ARANDELA', 5);
)";

// The data-access object with a connection that records what it reads.
struct Recording {
    RecordingConnection* cn;
    Recording() : cn(RecordingConnection::installInObjDB())
    {
        cn->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV1;Database =STOCK;UId=u;Pwd=p;"));
    }
    ~Recording() { releaseObjDB(); }
};

}  // namespace

TEST(KeyLookups, BuildTheStatementsOfEachKeyType)
{
    Recording r;
    DB_Dll& db = ObjDB();
    struct Case {
        const char* what;
        std::function<void()> call;
        const char* sql;
    } cases[] = {
        {"a text key, trimmed on both sides", [&] { db.ExisteEnTabla(QStringLiteral("V_TA_Deposito"), QStringLiteral("  1 "), QStringLiteral("IdDeposito")); },
         "SELECT TOP 1  * FROM SS_V_TA_DEPOSITO WHERE LTRIM(RTRIM(IdDeposito)) ='1'"},
        {"an operator's apostrophe is doubled", [&] { db.ExisteEnTabla(QStringLiteral("ta_usuarios"), QStringLiteral("O'Brien"), QStringLiteral("nombre")); },
         "SELECT TOP 1  * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='O''Brien'"},
        {"a date key as a date literal", [&] { db.ExisteEnTabla(QStringLiteral("CONTROL_ACCESO"), QStringLiteral("10/12/2024"), QStringLiteral("EGRESO"), nullptr, 7); },
         "SELECT TOP 1 * FROM CONTROL_ACCESO WHERE EGRESO = '2024-12-10T00:00:00' "},
        {"a numeric key by its value", [&] { db.ExisteEnTabla(QStringLiteral("CONTROL_ACCESO"), QStringLiteral(" 15abc"), QStringLiteral("ID"), nullptr, 3); },
         "SELECT TOP 1 * FROM CONTROL_ACCESO WHERE ID = 15"},
        {"any other type as given", [&] { db.ExisteEnTabla(QStringLiteral("T"), QStringLiteral("a+1"), QStringLiteral("C"), nullptr, 11); },
         "SELECT TOP 1 * FROM T WHERE C = a+1"},
        {"a condition replaces the key", [&] { db.ExisteEnTabla(QStringLiteral("MA_POSICIONES"), QStringLiteral("x"), QStringLiteral("y"), nullptr, 8, QStringLiteral("IdDeposito = '   1'")); },
         "SELECT TOP 1 * FROM MA_POSICIONES WHERE IdDeposito = '   1'"},
        {"a condition holding WHERE between blanks", [&] { db.ExisteEnTabla(QStringLiteral("T"), {}, {}, nullptr, 8, QStringLiteral(" WHERE a = 1")); },
         "SELECT TOP 1 * FROM T  WHERE a = 1"},
        {"the unchecked lookup keeps the key untrimmed", [&] { db.ExisteEnTablaST(QStringLiteral("MA_POSICIONES"), QStringLiteral("A1 "), QStringLiteral("IdPosicion")); },
         "SELECT * FROM MA_POSICIONES WHERE IdPosicion ='A1 '"},
        {"the unchecked lookup by number", [&] { db.ExisteEnTablaST(QStringLiteral("T"), QStringLiteral("7"), QStringLiteral("ID"), nullptr, 5); },
         "SELECT * FROM T WHERE ID = 7"},
        {"a column of a row found by text, with a condition", [&] { db.DatosTabla(QStringLiteral("MA_POSICIONES"), QStringLiteral("A1"), QStringLiteral("X"), QStringLiteral("IdPosicion"), 8, QStringLiteral("IdDeposito = '   1'")); },
         "SELECT TOP 1 * FROM MA_POSICIONES WHERE LTRIM(RTRIM(IdPosicion)) ='A1'  AND IdDeposito = '   1'"},
        {"a condition of blanks adds nothing", [&] { db.DatosTabla(QStringLiteral("ta_usuarios"), QStringLiteral("ana"), QStringLiteral("X"), QStringLiteral("nombre"), 8, QStringLiteral("   ")); },
         "SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='ana'    "},
        {"a column of a row found by date", [&] { db.DatosTabla(QStringLiteral("CONTROL_ACCESO"), QStringLiteral("10/12/2024 14:05"), QStringLiteral("ID"), QStringLiteral("EGRESO"), 7); },
         "SELECT TOP 1 * FROM CONTROL_ACCESO WHERE EGRESO = '2024-12-10T14:05:00' "},
        {"the largest value", [&] { db.BuscaMaximo(QStringLiteral("V_MV_STOCK"), QStringLiteral("SECUENCIA"), {}, QStringLiteral(" TC = '  FC' ")); },
         "SELECT MAX(SECUENCIA) AS MAYOR FROM V_MV_STOCK WHERE TC = '  FC'"},
        {"the smallest value", [&] { db.BuscaMinimo(QStringLiteral("T"), QStringLiteral("C")); }, "SELECT MIN(C) AS MENOR FROM T"},
        {"the last code keeps its condition untrimmed", [&] { db.BuscaUltimoCodigo(QStringLiteral("T"), QStringLiteral("C"), {}, QStringLiteral(" a = 1 ")); },
         "SELECT MAX(C) AS MAYOR FROM T WHERE  a = 1 "},
    };
    for (const Case& c : cases) {
        r.cn->read.clear();
        c.call();
        EXPECT_EQ(r.cn->read, QStringList{QString::fromUtf8(c.sql)}) << c.what;
    }
}

TEST(KeyLookups, OnOracleTheLookupTakesTheDialectRewrite)
{
    Recording r;
    r.cn->Open(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;"));
    ObjDB().gConnString = r.cn->ConnectionString();
    ObjDB().ExisteEnTabla(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("ART001"), QStringLiteral("IdArticulo"));
    ASSERT_EQ(r.cn->read.size(), 1);
    EXPECT_FALSE(r.cn->read[0].contains(QStringLiteral("TOP"), Qt::CaseInsensitive)) << r.cn->read[0].toStdString();
    EXPECT_TRUE(r.cn->read[0].contains(QStringLiteral("ROWNUM <= 1"))) << r.cn->read[0].toStdString();
}

TEST(KeyLookups, FindRowsOfTheRealSchema)
{
    TestDatabase t(QString::fromUtf8(kRows));
    DB_Dll& db = ObjDB();
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral(" art001 "), QStringLiteral("IdArticulo")));
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("ART009"), QStringLiteral("IdArticulo")));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("ta_usuarios"), QStringLiteral("o'brien"), QStringLiteral("nombre")));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("CONTROL_ACCESO"), QStringLiteral("10/12/2024 14:05"), QStringLiteral("EGRESO"), nullptr, 7));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("CONTROL_ACCESO"), QStringLiteral("16"), QStringLiteral("ID"), nullptr, 3));
    EXPECT_TRUE(db.ExisteEnTablaST(QStringLiteral("TA_CONFIGURACION"), QStringLiteral("periodo"), QStringLiteral("CLAVE"), nullptr, 8));

    EXPECT_EQ(db.DatosTabla(QStringLiteral("ta_usuarios"), QStringLiteral("O'Brien"), QStringLiteral("NombreCompleto"),
                            QStringLiteral("nombre")),
              QVariant(QStringLiteral("Pat O'Brien")));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("ta_usuarios"), QStringLiteral("ana"), QStringLiteral("UNegocio"), QStringLiteral("nombre"),
                            8, QStringLiteral("UNegocio = '   7'")),
              QVariant(QStringLiteral("   7")));
    const QVariant none = db.DatosTabla(QStringLiteral("ta_usuarios"), QStringLiteral("nadie"), QStringLiteral("UNegocio"),
                                        QStringLiteral("nombre"));
    EXPECT_TRUE(none.isValid()) << "no row gives an empty text, not an empty value";
    EXPECT_EQ(none.toString(), QString());
    EXPECT_EQ(db.DatosTabla(QStringLiteral("ta_usuarios"), QStringLiteral("ana"), QStringLiteral("NombreCompleto"),
                            QStringLiteral("nombre")),
              QVariant(QString()))
        << "a null column reads as an empty text";
}

TEST(KeyLookups, LeaveTheCallersRecordsetOnTheRow)
{
    TestDatabase t(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION"), ObjDB().gCnn());
    ASSERT_TRUE(ObjDB().ExisteEnTabla(QStringLiteral("ta_usuarios"), QStringLiteral("ana"), QStringLiteral("nombre"), &rs));
    EXPECT_EQ(rs.State(), db::state::Open);
    EXPECT_EQ(rs.value(QStringLiteral("UNegocio")).toString(), QStringLiteral("   7"));
    rs.Close();
    // Read-only and forward-only on request, whatever it was before.
    ASSERT_TRUE(ObjDB().ExisteEnTablaST(QStringLiteral("ta_usuarios"), QStringLiteral("ana"), QStringLiteral("nombre"), &rs, 8,
                                        {}, true));
    EXPECT_EQ(rs.LockType(), db::lock::ReadOnly);
}

TEST(KeyLookups, AFailureAsksTheOperatorToAbortRetryOrIgnore)
{
    TestDatabase t(QString::fromUtf8(kRows));
    {
        // A condition beginning with WHERE gets a second WHERE and fails.
        ScopedPrompts p;
        p.answerMessage(prompt::Abort);
        EXPECT_FALSE(ObjDB().ExisteEnTabla(QStringLiteral("ta_usuarios"), {}, {}, nullptr, 8, QStringLiteral("WHERE nombre = 'ana'")));
        ASSERT_EQ(p.shown().size(), 1u);
        EXPECT_EQ(p.shown()[0].title, QStringLiteral("Aviso al Operador"));
        EXPECT_EQ(p.shown()[0].style, prompt::AbortRetryIgnore | prompt::Critical);
    }
    {
        // A date nobody can read is a clear message, not a broken statement.
        ScopedPrompts p;
        p.answerMessage(prompt::Abort, QStringLiteral("mañana"));
        EXPECT_FALSE(ObjDB().ExisteEnTabla(QStringLiteral("CONTROL_ACCESO"), QStringLiteral("mañana"), QStringLiteral("EGRESO"), nullptr, 7));
    }
    {
        // Retry runs the failing step again; Ignore goes on, and the next
        // step meets the closed recordset.
        ScopedPrompts p;
        p.answerMessage(prompt::Retry);
        p.answerMessage(prompt::Ignore);
        p.answerMessage(prompt::Ignore);
        p.answerMessage(prompt::Abort);
        EXPECT_FALSE(ObjDB().ExisteEnTabla(QStringLiteral("NoExiste"), QStringLiteral("a")));
        EXPECT_EQ(p.shown().size(), 4u);
    }
    {
        // DatosTabla opens through AbrirRecordset, which reports first.
        ScopedPrompts p;
        p.answerError(prompt::ErrorLeave, QStringLiteral("AbrirRecordset"));
        p.answerMessage(prompt::Abort, QStringLiteral("cerrado"));
        const QVariant v = ObjDB().DatosTabla(QStringLiteral("NoExiste"), QStringLiteral("a"), QStringLiteral("b"));
        EXPECT_FALSE(v.isValid());
    }
}

TEST(Aggregates, GiveTheLargestAndSmallestValueAsANumber)
{
    TestDatabase t(QString::fromUtf8(kRows));
    DB_Dll& db = ObjDB();
    EXPECT_EQ(db.BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("Costo")), QVariant(80.0));
    EXPECT_EQ(db.BuscaMinimo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("Costo")), QVariant(5.0));
    EXPECT_EQ(db.BuscaMaximo(QStringLiteral("CONTROL_ACCESO"), QStringLiteral("ID"), {}, QStringLiteral("EGRESO IS NULL")),
              QVariant(16.0));
    EXPECT_EQ(db.BuscaUltimoCodigo(QStringLiteral("AUX_ERR"), QStringLiteral("ID"), {}, QStringLiteral("  ")), QVariant(0.0))
        << "the maximum of no row is a null, read as 0";
    try {
        db.BuscaMaximo(QStringLiteral("NoExiste"), QStringLiteral("ID"));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 208) << "reaches the caller";
    }
}

TEST(FieldTypeTests, ClassifyTheTypeCodes)
{
    struct Case {
        int code;
        bool date, text, numeric, currency, boolean;
    } cases[] = {
        {135, true, false, false, false, false}, {7, true, false, false, false, false},  {64, true, false, false, false, false},
        {200, false, true, false, false, false}, {129, false, false, false, false, false}, {130, false, true, false, false, false},
        {3, false, false, true, false, false},   {131, false, false, true, false, false}, {139, false, false, false, false, false},
        {6, false, false, false, true, false},   {11, false, false, false, false, true},  {0, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DB_Dll::adodate(c.code), c.date) << c.code;
        EXPECT_EQ(DB_Dll::ADOText(c.code), c.text) << c.code;
        EXPECT_EQ(DB_Dll::ADONumeric(c.code), c.numeric) << c.code;
        EXPECT_EQ(DB_Dll::ADOCurrency(c.code), c.currency) << c.code;
        EXPECT_EQ(DB_Dll::ADOBoolean(c.code), c.boolean) << c.code;
    }
    EXPECT_FALSE(DB_Dll::ADONumeric(QStringLiteral("tres")));
}
