#include "core/DB_Dll.h"
#include "platform/Host.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "db/EmbeddedDatabase.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SQLValue, WritesEachKindOfLiteral)
{
    DB_Dll db;
    struct Case {
        const char* what;
        QVariant value;
        QString kind;
        QString literal;
    } cases[] = {
        {"an amount with a point", 12.5, QStringLiteral("@"), QStringLiteral("12.5")},
        {"an amount typed with a comma", QStringLiteral("12,5"), QStringLiteral("@"), QStringLiteral("12.5")},
        {"a null amount", lang::null(), QStringLiteral("@"), QStringLiteral("0")},
        {"a whole amount", -40.0, QStringLiteral("@"), QStringLiteral("-40")},
        {"minus zero", -0.0, QStringLiteral("@"), QStringLiteral("0")},
        {"a whole amount past nine digits", 12345678901.0, QStringLiteral("@"), QStringLiteral("12345678901")},
        {"a half in the fifth decimal goes to the even one", 0.00015, QStringLiteral("@"), QStringLiteral("0.0002")},
        {"a negative half", -2.00025, QStringLiteral("@"), QStringLiteral("-2.0002")},
        {"a large amount keeps its fourth decimal", 123456.7891, QStringLiteral("@"), QStringLiteral("123456.7891")},
        {"more decimals than four", 1.23456, QStringLiteral("@"), QStringLiteral("1.2346")},
        {"a whole number given as text", QStringLiteral("7"), QStringLiteral("@"), QStringLiteral("7")},
        {"a text", QStringLiteral("ana"), QStringLiteral("'"), QStringLiteral("'ana'")},
        {"an empty text", QString(), QStringLiteral("'"), QStringLiteral("''")},
        {"an operator's apostrophe", QStringLiteral("O'Brien"), QStringLiteral("'"), QStringLiteral("'O''Brien'")},
        {"a text that tries to end the statement", QStringLiteral("x'; DELETE FROM AUX_ERR --"), QStringLiteral("'"),
         QStringLiteral("'x''; DELETE FROM AUX_ERR --'")},
        {"apostrophes at both ends and side by side", QStringLiteral("'a''b'"), QStringLiteral("'"),
         QStringLiteral("'''a''''b'''")},
        {"a null text", lang::null(), QStringLiteral("'"), QStringLiteral("NULL")},
        {"a date", QDate(2024, 12, 10), QStringLiteral("'"), QStringLiteral("'2024-12-10T00:00:00'")},
        {"a date and time", QDateTime(QDate(2024, 12, 10), QTime(14, 5)), QStringLiteral("'"),
         QStringLiteral("'2024-12-10T14:05:00'")},
        {"a number without a kind", 5, QString(), QStringLiteral("5")},
        {"a null without a kind", lang::null(), QString(), QStringLiteral("NULL")},
        {"two apostrophes are any other kind", QStringLiteral("a"), QStringLiteral("''"), QStringLiteral("a")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.SQLValue(c.value, c.kind), c.literal) << c.what;
    EXPECT_EQ(db.SQLValue(QStringLiteral("x")), QStringLiteral("'x'")) << "quoted text by default";
}

TEST(SS_TSinonimos, ReplacesTheSharedTablesOnlyInTheirContexts)
{
    DB_Dll db;
    struct Case {
        const char* sql;
        const char* rewritten;
    } cases[] = {
        {"SELECT * FROM ma_cuentas WHERE x = 1", "SELECT * FROM SS_MA_CUENTAS WHERE x = 1"},
        {"SELECT * FROM ma_cuentas", "SELECT * FROM ma_cuentas"},
        {"SELECT * FROM V_TA_CAJAS ,MV_ASIENTOS WHERE 1=1", "SELECT * FROM SS_V_TA_CAJAS ,MV_ASIENTOS WHERE 1=1"},
        {"SELECT (AC_CUENTASDIARIO_CCOSTO.x) FROM t", "SELECT (SS_AC_CUENTAS_DIARIO_CCOSTO.x) FROM t"},
        {"SELECT a FROM t,MV_ASIENTOS.b", "SELECT a FROM t,SS_MV_ASIENTOS.b"},
        {"SELECT {MA_CUENTAS.x} FROM t", "SELECT {SS_MA_CUENTAS.x} FROM t"},
        {"SELECT * FROM @Admin_MA_CUENTAS WHERE 1=1", "SELECT * FROM MA_CUENTAS WHERE 1=1"},
        {"SELECT * FROM @admin_V_TA_DEPOSITO WHERE 1=1", "SELECT * FROM V_TA_DEPOSITO WHERE 1=1"},
        {"SELECT * FROM (V_TA_FAMILIAS f)", "SELECT * FROM (SS_V_TA_FAMILIAS f)"},
        {"SELECT * FROM v_ta_cajas WHERE 1=1", "SELECT * FROM SS_V_TA_CAJAS WHERE 1=1"},
        {"SELECT a_b FROM ma_posiciones WHERE x_ta_cajas = 1", "SELECT a_b FROM ma_posiciones WHERE x_ta_cajas = 1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.SS_TSinonimos(QString::fromUtf8(c.sql)), QString::fromUtf8(c.rewritten)) << c.sql;
}

TEST(EjecutaConsultaSQL, RunsAStatementAndHandsBackTheTextItRan)
{
    TestDatabase t(QStringLiteral(
        "CREATE TABLE SS_V_TA_CAJAS (IdCaja varchar(4) COLLATE NOCASE); INSERT INTO SS_V_TA_CAJAS VALUES ('   1');"));
    DB_Dll& db = ObjDB();
    QString sql = QStringLiteral("UPDATE V_TA_CAJAS SET IdCaja = '   2'");
    long affected = 0;
    db.EjecutaConsultaSQL(sql, &affected);
    EXPECT_EQ(sql, QStringLiteral("UPDATE SS_V_TA_CAJAS SET IdCaja = '   2'"));
    EXPECT_EQ(affected, 1);

    // A text holding DELETE is sent as it is; "@Admin_" only loses its prefix.
    sql = QStringLiteral("UPDATE V_TA_CAJAS SET IdCaja = '   3' WHERE 'DELETE' <> ''");
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, QStringLiteral("V_TA_CAJAS"));
    db.EjecutaConsultaSQL(sql);
    EXPECT_EQ(sql, QStringLiteral("UPDATE V_TA_CAJAS SET IdCaja = '   3' WHERE 'DELETE' <> ''"));
    sql = QStringLiteral("UPDATE @Admin_SS_V_TA_CAJAS SET IdCaja = '   4' WHERE ' V_TA_CAJAS ' <> ''");
    db.EjecutaConsultaSQL(sql);
    EXPECT_EQ(sql, QStringLiteral("UPDATE SS_V_TA_CAJAS SET IdCaja = '   4' WHERE ' V_TA_CAJAS ' <> ''"));
}

TEST(EjecutaConsultaSQL, ShowsAFailureAndNeverRaisesIt)
{
    TestDatabase t(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('ana');"));
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, QStringLiteral("UNIQUE"));
    ObjDB().EjecutaConsultaSQL(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('ana')"));
    ASSERT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(p.shown()[0].title, QStringLiteral("Aviso al operador!!!"));
    EXPECT_EQ(p.shown()[0].style, prompt::Critical | prompt::OkOnly);
    // The caller that must know reads the connection's errors afterwards.
    ASSERT_EQ(ObjDB().gCnn().errors().Count(), 1);
    EXPECT_EQ(ObjDB().gCnn().errors().Item(0).NativeError, 2627);
}

TEST(EjecutaConsultaSQL, BeforeTheConnectionIsOpenShowsTheComplaint)
{
    releaseObjDB();
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, QStringLiteral("cerrada"));
    ObjDB().EjecutaConsultaSQL(QStringLiteral("UPDATE t SET a = 1"));
    releaseObjDB();
}

TEST(EjecutaConsultaSQL, TheTransactionBatchOfASavedLine)
{
    TestDatabase t(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('ana');"));
    DB_Dll& db = ObjDB();
    // A failed batch: the caller reads the errors and rolls back on its own.
    ScopedPrompts p;
    p.answerMessage(prompt::Ok);
    db.EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION \r\r\r INSERT INTO ta_usuarios (nombre) VALUES ('juan')\r"
                                         " INSERT INTO ta_usuarios (nombre) VALUES ('Ana')\r"));
    ASSERT_EQ(db.gCnn().errors().Count(), 1);
    db.gCnn().errors().Clear();
    db.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("ta_usuarios"), QStringLiteral("juan"), QStringLiteral("nombre")));
    db.EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION \r\r\r INSERT INTO ta_usuarios (nombre) VALUES ('juan')\r"));
    db.EjecutaConsultaSQL(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("ta_usuarios"), QStringLiteral("juan"), QStringLiteral("nombre")));
    EXPECT_EQ(db.gCnn().errors().Count(), 0);
}

TEST(AbrirRecordset, OpensOnTheSharedConnectionWithTheSynonyms)
{
    TestDatabase t(QStringLiteral(
        "CREATE TABLE SS_V_TA_CAJAS (IdCaja varchar(4) COLLATE NOCASE); INSERT INTO SS_V_TA_CAJAS VALUES ('   1');"));
    DB_Dll& db = ObjDB();
    db::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM V_TA_CAJAS WHERE IdCaja = '   1'");
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, QStringLiteral("SELECT * FROM SS_V_TA_CAJAS WHERE IdCaja = '   1'"));
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.CursorType(), db::cursor::ForwardOnly);
    // An open recordset is closed before it opens again.
    db.AbrirRecordset(QStringLiteral("select  top 1 * from AUX_ERR"), rs, nullptr, db::cursor::Dynamic, db::lock::Optimistic);
    EXPECT_EQ(rs.LockType(), db::lock::Optimistic);
    EXPECT_TRUE(rs.Eof());
    db.CierraRecordset(rs);
    EXPECT_EQ(rs.State(), db::state::Closed);
    db.CierraRecordset(rs);
}

TEST(AbrirRecordset, AFailureGoesToTheErrorDialogAndLeavesTheRecordsetClosed)
{
    TestDatabase t;
    ScopedPrompts p;
    p.answerError(prompt::ErrorRetry, QStringLiteral("AbrirRecordset"));
    p.answerError(prompt::ErrorLeave, QStringLiteral("AbrirRecordset"));
    db::Recordset rs;
    ObjDB().AbrirRecordset(QStringLiteral("SELECT NoExiste FROM AUX_ERR"), rs);
    EXPECT_EQ(rs.State(), db::state::Closed);
    ASSERT_EQ(p.shown().size(), 2u);
    EXPECT_EQ(p.shown()[0].errorNumber, 207);
}

TEST(OracleRoute, OnlyTheProviderOrTheOdbcDriverChoosesIt)
{
    struct Case {
        const char* what;
        const char* connectionString;
        bool oracle;
    } cases[] = {
        {"an embedded file under a folder named oracle",
         "PROVIDER=SQLOLEDB;Server=(sqlite);Database =/srv/oracle/demo.db;UId=ana;Pwd=;", false},
        {"a SQL Server database named after it", "PROVIDER=SQLOLEDB;Server=srv;Database =ORACLE_HIST;UId=u;Pwd=p;", false},
        {"a user named oracle", "PROVIDER=SQLOLEDB;Server=srv;Database =STOCK;UId=oracle;Pwd=p;", false},
        {"a password that holds the provider's name",
         "PROVIDER=SQLOLEDB;Server=srv;Database =STOCK;UId=u;Pwd=\"x;Provider=OraOLEDB.Oracle.1\";", false},
        {"a server named oracle", "PROVIDER=SQLOLEDB;Server=oracle01;Database =STOCK;UId=u;Pwd=p;", false},
        {"an ODBC file under a folder named oracle", "DRIVER={SQLite3};Database=/srv/oracle/demo.db;", false},
        {"a data source name holding the word", "DSN=copia_oracle;", false},
        {"the Oracle provider", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;", true},
        {"the Oracle provider in lower case", "provider=oraoledb.oracle.1;data source=orcl;user id=u;password=p;", true},
        {"an Oracle ODBC driver", "DRIVER={Oracle 21 ODBC driver};DBQ=ORCL;UID=u;PWD=p;", true},
    };
    for (const Case& c : cases) {
        RecordingConnection* cn = RecordingConnection::installInObjDB();
        DB_Dll& db = ObjDB();
        db.gConnString = QString::fromUtf8(c.connectionString);
        cn->Open(db.gConnString);

        db::Recordset rs;
        db.AbrirRecordset(QStringLiteral("SELECT TOP 1 * FROM T"), rs);
        db.ExisteEnTabla(QStringLiteral("T"), QStringLiteral("a"));
        db.EjecutaConsultaSQL(QStringLiteral("update t set a = 'x'"));
        ASSERT_EQ(cn->read.size(), 2) << c.what;
        for (const QString& read : cn->read)
            EXPECT_EQ(read.contains(QStringLiteral("ROWNUM")), c.oracle) << c.what << ": " << read.toStdString();
        // Oracle's script runner takes the statement apart and upper-cases its words.
        EXPECT_EQ(cn->executed, QStringList{c.oracle ? QStringLiteral("UPDATE T SET A = 'x'") : QStringLiteral("update t set a = 'x'")})
            << c.what;
        EXPECT_EQ(db.ORACLE_Dicc(QStringLiteral("SELECT TOP 2 * FROM T")).contains(QStringLiteral("ROWNUM")), c.oracle)
            << c.what;
    }
    releaseObjDB();

    // A real embedded database under such a folder reads its keys as itself.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("oracle")));
    const QString path = dir.filePath(QStringLiteral("oracle/demo.db"));
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('ana');"));
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = path;
    db.OpenServerADODB(false, 3, QString());
    ASSERT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("ta_usuarios"), QStringLiteral("ana"), QStringLiteral("nombre")));
    releaseObjDB();
}
