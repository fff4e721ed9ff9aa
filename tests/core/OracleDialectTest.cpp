#include "core/DB_Dll.h"
#include "core/OracleDialect.h"
#include "platform/RuntimeError.h"
#include "platform/db/RowSet.h"
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {

const QString kOracle = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;");
const QString kSqlServer = QStringLiteral("PROVIDER=SQLOLEDB;Server=srv;Database =db;UId=u;Pwd=p;");
const QString kWrapped = QStringLiteral("TO_DATE(TO_CHAR(%1,'DD/MM/YYYY'),'DD/MM/YYYY')");

struct Case {
    const char* name;
    const char* in;
    QString out;
};

void expectRewrites(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(OracleDialect::rewrite(QString::fromUtf8(c.in), true), c.out) << c.name;
}

// Records what the script runner asks of the connection; a statement holding
// `failOn` fails as the provider would.
class RecordingConnection : public db::Connection {
public:
    QStringList calls;
    long rowsPerStatement = 1;
    QString failOn;

    void Execute(const QString& sql, long* recordsAffected, int options) override
    {
        EXPECT_EQ(options, -1);
        if (!failOn.isEmpty() && sql.contains(failOn)) {
            errors().Replace({db::Error{942, QStringLiteral("ORA-00942: table or view does not exist")}});
            throw RuntimeError(942, QStringLiteral("ORA-00942: table or view does not exist"));
        }
        calls << sql;
        if (recordsAffected)
            *recordsAffected = rowsPerStatement;
    }
    void BeginTrans() override { calls << QStringLiteral("BeginTrans"); }
    void CommitTrans() override { calls << QStringLiteral("CommitTrans"); }
    void RollbackTrans() override { calls << QStringLiteral("RollbackTrans"); }

    // A query answers one row while `rowsFound`, none otherwise.
    bool rowsFound = false;

protected:
    std::unique_ptr<db::RowSet> openRows(const QString& source) override
    {
        calls << QStringLiteral("query: ") + source;
        auto rows = std::make_unique<db::RowSet>();
        rows->columns.push_back({QStringLiteral("C"), db::type::Integer, 4, false});
        if (rowsFound)
            rows->addInteger(1);
        return rows;
    }
};

QStringList run(RecordingConnection& cn, QString& script, long& affected)
{
    OracleDialect::runScript(script, affected, cn, [](const QString& s) { return OracleDialect::rewrite(s, true); });
    return cn.calls;
}

}  // namespace

TEST(OracleRewrite, RowLimitLimitsTheRowsTheStatementReturns)
{
    expectRewrites({
        {"no WHERE, GROUP BY or ORDER BY", "SELECT TOP 10 * FROM MA_POSICIONES",
         "SELECT  * FROM MA_POSICIONES WHERE ROWNUM <= 10"},
        {"WHERE without ORDER BY", "select top 1 * from ta_usuarios where ltrim(rtrim(nombre)) ='ana' ",
         "SELECT  * FROM TA_USUARIOS WHERE LTRIM( RTRIM( NOMBRE) ) ='ana' AND ROWNUM <= 1"},
        {"ORDER BY: the ordered rows are limited",
         "SELECT TOP 10 IDPOSICION FROM MA_POSICIONES WHERE IDDEPOSITO = '   1' ORDER BY ORDENINGRESO",
         "SELECT * FROM (SELECT IDPOSICION FROM MA_POSICIONES WHERE IDDEPOSITO = '   1' ORDER BY ORDENINGRESO) "
         "WHERE ROWNUM <= 10"},
        {"GROUP BY and ORDER BY: the groups are limited",
         "SELECT TOP 10 IDFAMILIA, COUNT(*) AS N FROM V_MA_ARTICULOS GROUP BY IDFAMILIA ORDER BY IDFAMILIA",
         "SELECT * FROM (SELECT IDFAMILIA, COUNT(*) AS N FROM V_MA_ARTICULOS GROUP BY IDFAMILIA ORDER BY IDFAMILIA) "
         "WHERE ROWNUM <= 10"},
        {"GROUP BY alone", "SELECT TOP 3 IDRUBRO FROM V_MA_ARTICULOS GROUP BY IDRUBRO",
         "SELECT * FROM (SELECT IDRUBRO FROM V_MA_ARTICULOS GROUP BY IDRUBRO) WHERE ROWNUM <= 3"},
        {"OR in the WHERE", "SELECT TOP 5 * FROM T WHERE A = 1 OR B = 2",
         "SELECT * FROM (SELECT * FROM T WHERE A = 1 OR B = 2) WHERE ROWNUM <= 5"},
        {"OR inside parentheses needs no subquery", "SELECT TOP 5 * FROM T WHERE (A = 1 OR B = 2)",
         "SELECT  * FROM T WHERE (A = 1 OR B = 2) AND ROWNUM <= 5"},
        {"DISTINCT", "SELECT DISTINCT TOP 5 IDUNIDAD FROM S_TA_EQUIV",
         "SELECT * FROM (SELECT DISTINCT IDUNIDAD FROM S_TA_EQUIV) WHERE ROWNUM <= 5"},
        {"WHERE only inside a subquery",
         "SELECT TOP 1 * FROM (SELECT * FROM T WHERE A = 1) X",
         "SELECT  * FROM (SELECT * FROM T WHERE A = 1) X WHERE ROWNUM <= 1"},
        {"only the first TOP is rewritten",
         "SELECT A FROM (SELECT TOP 15 * FROM T WHERE ID NOT IN (SELECT TOP 0 ID FROM T) ) P WHERE X = 1",
         "SELECT A FROM (SELECT  * FROM T WHERE ID NOT IN (SELECT TOP 0 ID FROM T) ) P WHERE X = 1 AND ROWNUM <= 15"},
        {"TOP inside a literal or a longer name is no row limit",
         "select desktop from t where d = 'laptop 5'", "SELECT DESKTOP FROM T WHERE D = 'laptop 5'"},
    });
}

TEST(OracleRewrite, RowLimitWithoutAStatementAfterItsCountFails)
{
    try {
        OracleDialect::rewrite(QStringLiteral("SELECT TOP 10"), true);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::InvalidProcedureCall);
    }
}

TEST(OracleRewrite, LengthFunctionAndQuotedNames)
{
    expectRewrites({
        {"LEN with no blank", "SELECT LEN(X) FROM T", "SELECT LENGTH(X) FROM T"},
        {"LEN with one blank", "SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE LEN (DESCRIPCION) > 20",
         "SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE LENGTH( DESCRIPCION) > 20"},
        {"LEN with four blanks", "select len    (x) from t", "SELECT LENGTH(X) FROM T"},
        {"LEN with five blanks is left", "SELECT LEN     (X) FROM T", "SELECT LEN     (X) FROM T"},
        {"LEN glued to a parenthesis is left", "SELECT (LEN(X)) FROM T", "SELECT (LEN(X)) FROM T"},
        {"brackets become quotes, upper-cased", "SELECT [IdArticulo] FROM [Mi Tabla]",
         "SELECT \"IDARTICULO\" FROM \"MI TABLA\""},
        {"a closing bracket doubled inside a name", "SELECT [A]]B] FROM T", "SELECT \"A]B\" FROM T"},
        {"the lone word LEN", "len", "LENGTH"},
        {"one other word", "fecha", "FECHA"},
        {"nothing", "", ""},
    });
}

TEST(OracleRewrite, DateColumnsInTheWherePartAreComparedByDay)
{
    expectRewrites({
        {"bracketed date column", "SELECT * FROM TA_PERIODOS WHERE [FECHA DESDE] = '01/12/2024'",
         "SELECT * FROM TA_PERIODOS WHERE " + kWrapped.arg("\"FECHA DESDE\"") + " = '01/12/2024'"},
        {"column followed by a blank, not one glued to an operator",
         "select * from mv where fecha >= '01/12/2024' and fecha<='31/12/2024'",
         "SELECT * FROM MV WHERE " + kWrapped.arg("FECHA") + " >= '01/12/2024' AND FECHA< ='31/12/2024'"},
        {"column after a parenthesis is left", "SELECT * FROM MV WHERE (FECHA = X)",
         "SELECT * FROM MV WHERE (FECHA = X)"},
        {"column at the end", "SELECT * FROM CONTROL_ACCESO WHERE ID = 1 ORDER BY egreso",
         "SELECT * FROM CONTROL_ACCESO WHERE ID = 1 ORDER BY " + kWrapped.arg("EGRESO")},
        {"before the WHERE nothing is converted", "SELECT FECHA FROM MV", "SELECT FECHA FROM MV"},
        {"a date column name inside a literal is data", "SELECT * FROM T WHERE X = 'fecha '",
         "SELECT * FROM T WHERE X = 'fecha '"},
    });
}

TEST(OracleRewrite, StringLiteralsAreLeftAsTheyCame)
{
    expectRewrites({
        {"case and inner blanks", "select * from t where codigo in ('   1','ab  c') and nombre = 'O''Brien'",
         "SELECT * FROM T WHERE CODIGO IN ('   1','ab  c') AND NOMBRE = 'O''Brien'"},
        {"brackets inside a literal", "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '[Fecha Desde]'",
         "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '[Fecha Desde]'"},
        {"LEN inside a literal", "SELECT ' len (x' FROM T", "SELECT ' len (x' FROM T"},
        {"a literal glued to a name", "SELECT * FROM T WHERE N = N'a  b' AND Y = 1",
         "SELECT * FROM T WHERE N = N'a  b' AND Y = 1"},
        {"an apostrophe inside a bracketed name opens no literal", "SELECT [O'Neil] FROM T WHERE A = 'x'",
         "SELECT \"O'NEIL\" FROM T WHERE A = 'x'"},
        {"a literal never closed runs to the end", "SELECT * FROM T WHERE A = 'abc  d",
         "SELECT * FROM T WHERE A = 'abc  d"},
        {"a quoted name never closed runs to the end", "SELECT * FROM T WHERE \"abc  d",
         "SELECT * FROM T WHERE \"ABC  D"},
    });
}

TEST(OracleRewrite, OtherConnectionsGetOnlyTheUpperCase)
{
    EXPECT_EQ(OracleDialect::rewrite(QStringLiteral("select top 1 len (x) from [t] where fecha = 'ab'"), false),
              "SELECT TOP 1 LEN (X) FROM [T] WHERE FECHA = 'ab'");

    DB_Dll objDB;
    const QString sql = QStringLiteral("select top 2 * from t");
    objDB.gConnString = kSqlServer;
    EXPECT_EQ(objDB.ORACLE_Dicc(sql), "SELECT TOP 2 * FROM T");
    objDB.gConnString = kOracle;
    EXPECT_EQ(objDB.ORACLE_Dicc(sql), "SELECT  * FROM T WHERE ROWNUM <= 2");
}

TEST(OracleRewrite, LongStatementsAreRewrittenWhole)
{
    const QString list = QStringLiteral("'x',").repeated(20000);
    const QString sql = "SELECT * FROM T WHERE A IN (" + list + "'y') AND FECHA = '01/12/2024'";
    EXPECT_EQ(OracleDialect::rewrite(sql, true),
              "SELECT * FROM T WHERE A IN (" + list + "'y') AND " + kWrapped.arg("FECHA") + " = '01/12/2024'");
}

TEST(OracleScript, NormalisesSeparatorsLineEndsAndTransactionStatements)
{
    const struct {
        const char* name;
        const char* in;
        const char* out;
    } cases[] = {
        {"GO between blanks", "A GO B", "A B"},
        {"GO at a line start", "A\r\nGO B", "A B"},
        {"GO on a line of its own", "A\r\nGO\r\nB", "A B"},
        {"line ends", "A\r\nB\rC\nD", "A B C\nD"},
        {"begin", "begin transaction", "SET TRANSACTION"},
        {"begin, short", "Begin Trans", "SET TRANSACTION"},
        {"commit", "COMMIT TRANSACTION", "COMMIT"},
        {"commit, short", "commit trans", "COMMIT"},
        {"rollback", "ROLLBACK TRANSACTION", "ROLLBACK"},
        {"rollback, short", "Rollback Trans", "ROLLBACK"},
        {"literals are data", "INSERT INTO T VALUES ('a\r\nGO b', 'begin trans')",
         "INSERT INTO T VALUES ('a\r\nGO b', 'begin trans')"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OracleDialect::normaliseScript(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.name;
}

TEST(OracleScript, CutsOnlyAtStatementStarts)
{
    const struct {
        const char* name;
        const char* in;
        QStringList out;
    } cases[] = {
        {"a column name holding DELETE", "UPDATE V_MV_FormPedidos SET DELETED_FLAG = 1 WHERE IDFormPedido = 3",
         {"UPDATE V_MV_FormPedidos SET DELETED_FLAG = 1 WHERE IDFormPedido = 3"}},
        {"keywords inside a literal and a name",
         "INSERT INTO T (A, [UPDATE X]) VALUES ('delete; update', 1) DELETE FROM U",
         {"INSERT INTO T (A, [UPDATE X]) VALUES ('delete; update', 1)", "DELETE FROM U"}},
        {"a subquery is no statement start", "INSERT INTO T (A) (SELECT A FROM U) UPDATE U SET A = 0",
         {"INSERT INTO T (A) (SELECT A FROM U)", "UPDATE U SET A = 0"}},
        {"a name that begins with TRANSACTION", "UPDATE T SET TRANSACTION_ID = 1",
         {"UPDATE T SET TRANSACTION_ID = 1"}},
        {"no statement keyword", "SELECT * FROM DUAL", {"SELECT * FROM DUAL"}},
        {"text before the first keyword is kept",
         "IF EXISTS(SELECT * FROM C WHERE X IS NULL) UPDATE C SET X = 1",
         {"IF EXISTS(SELECT * FROM C WHERE X IS NULL)", "UPDATE C SET X = 1"}},
        {"transaction statements", "SET TRANSACTION   insert into t values (1) commit",
         {"SET TRANSACTION", "insert into t values (1)", "commit"}},
        {"blanks only", "   ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OracleDialect::statements(QString::fromUtf8(c.in)), c.out) << c.name;
}

TEST(OracleScript, RunsEachStatementAndMapsTheTransactionStatements)
{
    RecordingConnection cn;
    QString script = QStringLiteral(
        "BEGIN TRANSACTION\r\n"
        " INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES ('  PE','0001','00000015','x')\r\n"
        "GO\r\n"
        " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  PE' AND TALONARIO=1\r\n"
        "GO\r\n"
        "COMMIT TRANSACTION");
    long affected = 5;
    EXPECT_EQ(run(cn, script, affected),
              QStringList({"BeginTrans",
                           "INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES ('  PE','0001','00000015','x')",
                           "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  PE' AND TALONARIO= 1",
                           "CommitTrans"}));
    EXPECT_EQ(affected, 7);
    EXPECT_TRUE(script.isEmpty());
}

// A savepoint and the rollback to it are Oracle's statements inside the
// connection's transaction; a condition is asked as a query, and the
// statement after it runs only when it holds.
TEST(OracleScript, SavepointsAndConditionsTakeOraclesForm)
{
    const QString update = QStringLiteral("UPDATE c_mv_cpte set FechaRecepcion='10/12/2024' where TC='  OC'");
    const QString script = QStringLiteral(
        "BEGIN TRANSACTION \r\rSAVE TRANSACTION ActualizaStock\r%1(select * from c_mv_cpte where TC='  OC' and "
        "fecharecepcion is null)  %2\rINSERT INTO A VALUES (1)\rROLLBACK TRANSACTION ActualizaStock\rSAVE TRAN Otra\r"
        "COMMIT TRANSACTION");
    const QString consulta = "query: " + OracleDialect::rewrite(QStringLiteral("SELECT 1 FROM DUAL WHERE EXISTS (select * "
                                                                              "from c_mv_cpte where TC='  OC' and "
                                                                              "fecharecepcion is null)"),
                                                                true);
    const QString actualiza = OracleDialect::rewrite(update, true);
    const struct {
        const char* name;
        const char* condicion;
        bool filas;
        bool corre;
    } cases[] = {
        {"IF EXISTS, a row", "if exists", true, true},
        {"IF EXISTS, no row", "IF EXISTS", false, false},
        {"IF NOT EXISTS, a row", "if not exists", true, false},
        {"IF NOT EXISTS, no row", "If Not Exists", false, true},
    };
    for (const auto& c : cases) {
        RecordingConnection cn;
        cn.rowsFound = c.filas;
        QString texto = script.arg(QLatin1String(c.condicion), update);
        long affected = 0;
        QStringList esperadas = {"BeginTrans", "SAVEPOINT ACTUALIZASTOCK", consulta};
        if (c.corre)
            esperadas << actualiza;
        esperadas << "INSERT INTO A VALUES (1)" << "ROLLBACK TO SAVEPOINT ACTUALIZASTOCK" << "SAVEPOINT OTRA"
                  << "CommitTrans";
        EXPECT_EQ(run(cn, texto, affected).join(QStringLiteral(" | ")).toStdString(),
                  esperadas.join(QStringLiteral(" | ")).toStdString())
            << c.name;
        EXPECT_TRUE(texto.isEmpty()) << c.name;
    }
}

TEST(OracleScript, AStatementThatChangesNoRowsAddsNothingToTheCount)
{
    RecordingConnection cn;
    cn.rowsPerStatement = -1;  // what the connection reports for a SELECT
    QString script = QStringLiteral("SELECT * FROM TA_CONFIGURACION");
    long affected = 3;
    run(cn, script, affected);
    EXPECT_EQ(affected, 3);
}

TEST(OracleScript, RunsTheBatchOfASavedLine)
{
    RecordingConnection cn;
    const QString insert = QStringLiteral(
        " INSERT INTO V_MV_STOCK_DRAVELO (FECHA,TC,IDARTICULO,CANTIDAD,NROLOTE,IDDEPOSITO,IDPOSICION,USUARIO) "
        "Values('10/12/2024','TRP','                   ART001',%1,NULL,'   1',%2,'ana')");
    QString script = "BEGIN TRANSACTION \r\r\r" + insert.arg("-5", "NULL") + "\r" + insert.arg("3", "'A1'") + "\r";
    long affected = 0;
    const QStringList calls = run(cn, script, affected);
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0], "BeginTrans");
    EXPECT_EQ(calls[1], "INSERT INTO V_MV_STOCK_DRAVELO (FECHA,TC,IDARTICULO,CANTIDAD,NROLOTE,IDDEPOSITO,IDPOSICION,"
                        "USUARIO) VALUES('10/12/2024','TRP','                   ART001',-5,NULL,'   1',NULL,'ana')");
    EXPECT_TRUE(calls[2].endsWith(",3,NULL,'   1','A1','ana')")) << calls[2].toStdString();
    EXPECT_EQ(affected, 2);

    QString commit = QStringLiteral("COMMIT TRANSACTION");
    QString rollback = QStringLiteral("rollback trans");
    run(cn, commit, affected);
    run(cn, rollback, affected);
    EXPECT_EQ(cn.calls.mid(3), QStringList({"CommitTrans", "RollbackTrans"}));
}

TEST(OracleScript, ScriptsWithoutStatementKeywordsAndLongScriptsRunWhole)
{
    RecordingConnection cn;
    QString select = QStringLiteral("select * from dual");
    long affected = 0;
    run(cn, select, affected);

    const QString text = QStringLiteral("update ").repeated(5000);
    QString script = "INSERT INTO NOTAS (TEXTO) VALUES ('" + text + "')\r\nDELETE FROM NOTAS WHERE ID = 1";
    run(cn, script, affected);

    EXPECT_EQ(cn.calls, QStringList({"SELECT * FROM DUAL", "INSERT INTO NOTAS (TEXTO) VALUES ('" + text + "')",
                                     "DELETE FROM NOTAS WHERE ID = 1"}));
}

TEST(OracleScript, AFailingStatementEndsTheRunAndKeepsTheRest)
{
    RecordingConnection cn;
    cn.failOn = QStringLiteral("NO_EXISTE");
    QString script = QStringLiteral(
        "BEGIN TRANSACTION \r\rINSERT INTO A VALUES (1)\rINSERT INTO NO_EXISTE VALUES (2)\rDELETE FROM A\r");
    long affected = 0;
    try {
        run(cn, script, affected);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 942);
    }
    EXPECT_EQ(cn.calls, QStringList({"BeginTrans", "INSERT INTO A VALUES (1)"}));
    EXPECT_EQ(script, "INSERT INTO NO_EXISTE VALUES (2) DELETE FROM A");
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(cn.errors().Count(), 1);
}

TEST(OracleScript, ALoneProviderStatus265929IsCleared)
{
    const db::Error status{265929, QStringLiteral("status")};
    const db::Error other{1, QStringLiteral("ORA-00001: unique constraint violated")};
    const struct {
        const char* name;
        std::vector<db::Error> before;
        int after;
    } cases[] = {
        {"alone", {status}, 0},
        {"with another error", {other, status}, 2},
        {"another error alone", {other}, 1},
    };
    for (const auto& c : cases) {
        RecordingConnection cn;
        cn.errors().Replace(c.before);
        QString script = QStringLiteral("COMMIT TRANSACTION");
        long affected = 0;
        run(cn, script, affected);
        EXPECT_EQ(cn.errors().Count(), c.after) << c.name;
    }
}
