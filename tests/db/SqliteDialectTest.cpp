#include "platform/db/SqliteDialect.h"

#include "db/EmbeddedDatabase.h"
#include "platform/db/SqliteBackend.h"

#include "tests/support/QtPrinting.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>

using db::SqliteDialect;
using db::SqliteStatement;
using Kind = SqliteStatement::Kind;

namespace {

QString single(const QString& sql)
{
    const auto out = SqliteDialect().translate(sql);
    EXPECT_EQ(out.size(), 1u) << sql.toStdString();
    return out.empty() ? QString() : out.front().text.simplified();
}

}  // namespace

TEST(SqliteDialect, CarriesEachSqlServerConstruct)
{
    struct Case {
        const char* what;
        const char* sqlServer;
        const char* sqlite;
    } cases[] = {
        {"TOP becomes LIMIT at the end of its statement",
         "SELECT TOP 1  * FROM V_TA_Deposito WHERE LTRIM(RTRIM(IdDeposito)) ='1'",
         "SELECT * FROM V_TA_Deposito WHERE LTRIM(RTRIM(IdDeposito)) ='1' COLLATE NOCASE LIMIT 1"},
        {"TOP after ORDER BY, and in brackets",
         "SELECT DISTINCT TOP (3) a FROM t ORDER BY a DESC", "SELECT DISTINCT a FROM t ORDER BY a DESC LIMIT 3"},
        {"TOP at every nesting level, each at its own level",
         "SELECT a FROM (SELECT TOP 15 * FROM t WHERE id NOT IN (SELECT TOP 0 id FROM t where x='1' Order by [c] Asc )"
         " and x='1' Order by [c] Asc ) AS P where x='1' ",
         "SELECT a FROM (SELECT * FROM t WHERE id NOT IN (SELECT id FROM t where x='1' COLLATE NOCASE Order by [c] Asc LIMIT 0 )"
         " and x='1' COLLATE NOCASE Order by [c] Asc LIMIT 15 ) AS P where x='1' COLLATE NOCASE"},
        {"TOP in one member of a UNION keeps to that member",
         "SELECT TOP 1 a FROM t UNION SELECT b FROM u", "SELECT * FROM (SELECT a FROM t LIMIT 1) UNION SELECT b FROM u"},
        {"a comment at the end of a level stays behind its LIMIT", "SELECT * FROM (SELECT TOP 2 a FROM t -- first two\n) AS q",
         "SELECT * FROM (SELECT a FROM t LIMIT 2 -- first two ) AS q"},
        {"ISNULL, a keyword of SQLite, becomes IFNULL", "SELECT isnull(MA.idunidad,'') as idunidad FROM MA",
         "SELECT IFNULL(MA.idunidad,'') as idunidad FROM MA"},
        {"CONVERT to text", "SELECT a FROM t WHERE CONVERT(NVARCHAR,[Descripcion]) LIKE '%TORN%'",
         "SELECT a FROM t WHERE CAST([Descripcion] AS TEXT) LIKE '%TORN%'"},
        {"CONVERT to a number", "SELECT TOP 1 CONVERT(INT,NUMERO) AS NUMERO FROM V WHERE TC='TRP' ORDER BY NUMERO DESC",
         "SELECT CAST(NUMERO AS INTEGER) AS NUMERO FROM V WHERE TC='TRP' COLLATE NOCASE ORDER BY NUMERO DESC LIMIT 1"},
        {"CONVERT of a date with style 103 gives dd/mm/yyyy", "SELECT CONVERT(NVARCHAR,[FECHA],103) AS [FECHA] FROM V",
         "SELECT COALESCE(strftime('%d/%m/%Y',[FECHA]),CAST([FECHA] AS TEXT)) AS [FECHA] FROM V"},
        {"CONVERT of a dd/mm/yyyy text to a date", "SELECT CONVERT(DATETIME,'10/12/2024',103)",
         "SELECT (substr('10/12/2024',7,4)||'-'||substr('10/12/2024',4,2)||'-'||substr('10/12/2024',1,2)||'T00:00:00')"},
        {"LEN ignores trailing blanks, as on the server", "SELECT IDARTICULO FROM V WHERE LEN (DESCRIPCION) > 20",
         "SELECT IDARTICULO FROM V WHERE LENGTH(RTRIM(DESCRIPCION)) > 20"},
        {"DELETE without FROM", "DELETE V_MV_CTROL_CPTE WHERE TC = 'PE'",
         "DELETE FROM V_MV_CTROL_CPTE WHERE TC = 'PE' COLLATE NOCASE"},
        {"the owner prefix", "ALTER TABLE dbo.AUX_ERR ADD OBSERVACION varchar(50) Null ",
         "ALTER TABLE AUX_ERR ADD OBSERVACION varchar(50) Null"},
        {"the bracketed owner prefix", "SELECT * FROM [dbo].[T]", "SELECT * FROM [T]"},
        {"a #date# literal", "SELECT TOP 1 * FROM CONTROL_ACCESO WHERE EGRESO = #10/12/2024# ",
         "SELECT * FROM CONTROL_ACCESO WHERE EGRESO = '2024-12-10T00:00:00' LIMIT 1"},
        {"a Unicode literal", "SELECT a FROM t WHERE b = N'ñandú'", "SELECT a FROM t WHERE b = 'ñandú' COLLATE NOCASE"},
        {"GETDATE()", "SELECT GETDATE() AS AHORA", "SELECT strftime('%Y-%m-%dT%H:%M:%S','now','localtime') AS AHORA"},
        {"nothing inside a literal changes", "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA DESDE]'",
         "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA DESDE]' COLLATE NOCASE"},
        {"keywords inside literals and names stay", "SELECT 'TOP 1 ISNULL(x) dbo.t #1/2/2024#' AS [LEN(x)] FROM t",
         "SELECT 'TOP 1 ISNULL(x) dbo.t #1/2/2024#' AS [LEN(x)] FROM t"},
        {"an explicit collation on either side wins", "SELECT a FROM t WHERE a = 'x' COLLATE BINARY OR 'y' = b COLLATE BINARY",
         "SELECT a FROM t WHERE a = 'x' COLLATE BINARY OR 'y' = b COLLATE BINARY"},
        {"a literal on the left is compared by the same rule", "SELECT a FROM t WHERE 'x' <> a",
         "SELECT a FROM t WHERE 'x' COLLATE NOCASE <> a"},
        {"values assigned or inserted are no comparisons", "UPDATE t SET a = 'x', b = 'y' WHERE c = 'z'",
         "UPDATE t SET a = 'x', b = 'y' WHERE c = 'z' COLLATE NOCASE"},
        {"IN lists and LIKE patterns keep their literals", "SELECT a FROM t WHERE a IN ('x','y') AND b LIKE 'z%'",
         "SELECT a FROM t WHERE a IN ('x','y') AND b LIKE 'z%'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(single(QString::fromUtf8(c.sqlServer)), QString::fromUtf8(c.sqlite)) << c.what;
}

TEST(SqliteDialect, CutsABatchAtEachStatement)
{
    struct Expected {
        Kind kind;
        const char* text;
    };
    struct Case {
        const char* what;
        const char* batch;
        std::vector<Expected> statements;
    } cases[] = {
        {"a transaction batch joined by carriage returns",
         "BEGIN TRANSACTION \r\r\r INSERT INTO t (a) Values('x')\r INSERT INTO t (a) Values('y')\r",
         {{Kind::BeginTransaction, ""}, {Kind::Sql, "INSERT INTO t (a) Values('x')"}, {Kind::Sql, "INSERT INTO t (a) Values('y')"}}},
        {"a batch with no statement", "BEGIN TRANSACTION \r\r\r\r", {{Kind::BeginTransaction, ""}}},
        {"commit and rollback in their short forms", "COMMIT TRANSACTION\rROLLBACK TRAN\rCOMMIT",
         {{Kind::CommitTransaction, ""}, {Kind::RollbackTransaction, ""}, {Kind::CommitTransaction, ""}}},
        {"a named savepoint and its rollback; ROLLBACK without a name ends the whole transaction",
         "BEGIN TRANSACTION\rSAVE TRANSACTION p1\r INSERT INTO t (a) VALUES ('x')\rROLLBACK TRAN p1\rROLLBACK TRANSACTION",
         {{Kind::BeginTransaction, ""},
          {Kind::Savepoint, "SAVEPOINT p1"},
          {Kind::Sql, "INSERT INTO t (a) VALUES ('x')"},
          {Kind::RollbackToSavepoint, "ROLLBACK TO SAVEPOINT p1"},
          {Kind::RollbackTransaction, ""}}},
        {"a column named save", "UPDATE t SET a = 1\rSAVE TRAN p\rUPDATE t SET save = 2",
         {{Kind::Sql, "UPDATE t SET a = 1"}, {Kind::Savepoint, "SAVEPOINT p"}, {Kind::Sql, "UPDATE t SET save = 2"}}},
        {"GO lines between statements",
         "BEGIN TRANSACTION\r\n INSERT INTO c (a) VALUES ('  PE')\r\nGO\r\n UPDATE v SET n = 16 WHERE k=1\r\nGO\r\nCOMMIT TRANSACTION",
         {{Kind::BeginTransaction, ""},
          {Kind::Sql, "INSERT INTO c (a) VALUES ('  PE')"},
          {Kind::Sql, "UPDATE v SET n = 16 WHERE k=1"},
          {Kind::CommitTransaction, ""}}},
        {"IF EXISTS guards the statement that follows",
         "if exists(select * from c where TC='  OC' and f is null)  UPDATE c set f='x' where TC='  OC'",
         {{Kind::Condition, "SELECT CASE WHEN exists(select * from c where TC='  OC' COLLATE NOCASE and f is null) THEN 1 ELSE 0 END"},
          {Kind::Sql, "UPDATE c set f='x' where TC='  OC' COLLATE NOCASE"}}},
        {"INSERT ... SELECT is one statement", "INSERT INTO t (a) SELECT a FROM u WHERE b = 1",
         {{Kind::Sql, "INSERT INTO t (a) SELECT a FROM u WHERE b = 1"}}},
        {"a SELECT after VALUES is the next statement", "INSERT INTO t VALUES (1) SELECT * FROM t",
         {{Kind::Sql, "INSERT INTO t VALUES (1)"}, {Kind::Sql, "SELECT * FROM t"}}},
        {"semicolons", "DELETE FROM t; DELETE u", {{Kind::Sql, "DELETE FROM t"}, {Kind::Sql, "DELETE FROM u"}}},
        {"a line end and a keyword inside a literal", "INSERT INTO t (a) VALUES ('x\rDELETE FROM t')",
         {{Kind::Sql, "INSERT INTO t (a) VALUES ('x\rDELETE FROM t')"}}},
        {"a column named after a keyword", "UPDATE V SET DELETED_FLAG = 1 WHERE IDFormPedido = 3",
         {{Kind::Sql, "UPDATE V SET DELETED_FLAG = 1 WHERE IDFormPedido = 3"}}},
        {"subqueries stay in their statement", "SELECT a FROM t WHERE b IN (SELECT b FROM u) UNION ALL SELECT c FROM v",
         {{Kind::Sql, "SELECT a FROM t WHERE b IN (SELECT b FROM u) UNION ALL SELECT c FROM v"}}},
    };
    for (const Case& c : cases) {
        const auto out = SqliteDialect().translate(QString::fromUtf8(c.batch));
        ASSERT_EQ(out.size(), c.statements.size()) << c.what;
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].kind, c.statements[i].kind) << c.what << ", statement " << i;
            EXPECT_EQ(out[i].text.trimmed(), QString::fromUtf8(c.statements[i].text)) << c.what << ", statement " << i;
        }
    }
}

// Rows are most of what a save sends: an INSERT the rewrite has nothing to do
// with comes out as written, and one it acts on is still carried.
TEST(SqliteDialect, InsertsAsWrittenUnlessTheyHoldAConstruct)
{
    struct Case {
        const char* what;
        const char* sqlServer;
        const char* sqlite;
    } cases[] = {
        {"a stock row", " INSERT INTO V_MV_STOCK(TC,Cantidad,NroLote) VALUES ('  FC',-2.5,NULL)\r\n",
         "INSERT INTO V_MV_STOCK(TC,Cantidad,NroLote) VALUES ('  FC',-2.5,NULL)"},
        {"keywords, operators and markers inside literals",
         "INSERT INTO t (a,b) VALUES ('x = 1; SELECT TOP 1 #1/2/2024# -- ''y''', 'dbo.u')",
         "INSERT INTO t (a,b) VALUES ('x = 1; SELECT TOP 1 #1/2/2024# -- ''y''', 'dbo.u')"},
        {"doubled apostrophes closing literals", "INSERT INTO t (a,b) VALUES ('x''', '''')",
         "INSERT INTO t (a,b) VALUES ('x''', '''')"},
        {"a national literal", "INSERT INTO t (a) VALUES (N'x')", "INSERT INTO t (a) VALUES ('x')"},
        {"a call in lower case", "insert into t (a) values (isnull(null, 1))",
         "insert into t (a) values (IFNULL(null, 1))"},
        {"a date literal", "INSERT INTO t (a) VALUES (#10/12/2024#)",
         "INSERT INTO t (a) VALUES ('2024-12-10T00:00:00')"},
        {"a function call", "INSERT INTO t (a,b) VALUES (ISNULL(NULL, 1), LEN('ab '))",
         "INSERT INTO t (a,b) VALUES (IFNULL(NULL, 1), LENGTH(RTRIM('ab ')))"},
        {"an owner", "INSERT INTO dbo.t (a) VALUES (1)", "INSERT INTO t (a) VALUES (1)"},
        {"a query as the source", "INSERT INTO t (a) SELECT TOP 1 a FROM u WHERE b = 'x'",
         "INSERT INTO t (a) SELECT  a FROM u WHERE b = 'x' COLLATE NOCASE LIMIT 1"},
    };
    for (const Case& c : cases) {
        const auto out = SqliteDialect().translate(QString::fromUtf8(c.sqlServer));
        ASSERT_EQ(out.size(), 1u) << c.what;
        EXPECT_EQ(out[0].text.trimmed(), QString::fromUtf8(c.sqlite)) << c.what;
    }
    EXPECT_EQ(SqliteDialect().translate(QStringLiteral("INSERT INTO t VALUES (1); INSERT INTO t VALUES (2)")).size(), 2u);
}

TEST(SqliteDialect, TagsLiteralsWithTheCollationItIsGiven)
{
    const auto out = SqliteDialect(QStringLiteral("CI_RTRIM")).translate(QStringLiteral("SELECT a FROM t WHERE b > 'x'"));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, QStringLiteral("SELECT a FROM t WHERE b > 'x' COLLATE CI_RTRIM"));
}

// Under the layer's own collation an equality of a column and a literal also
// names the stretch of the column's NOCASE order that holds every value equal
// to it, so that an index can be read; only where that changes nothing.
TEST(SqliteDialect, GivesAColumnsEqualityWithALiteralTheStretchAnIndexReads)
{
    const auto range = [](const char* column, const char* low) {
        return QStringLiteral(" AND %1 >= '%2' COLLATE NOCASE AND %1 < '%2!' COLLATE NOCASE")
            .arg(QLatin1String(column), QLatin1String(low));
    };
    struct Case {
        const char* what;
        const char* sqlServer;
        QString sqlite;
    } cases[] = {
        {"a column", "SELECT a FROM t WHERE b = 'x'", "SELECT a FROM t WHERE b = 'x' COLLATE CI_RTRIM" + range("b", "x")},
        {"qualified, trailing blanks, among others",
         "SELECT a FROM t WHERE c = 1 AND t.TC = 'TRP ' OR [d] = '0001'",
         "SELECT a FROM t WHERE c = 1 AND t.TC = 'TRP ' COLLATE CI_RTRIM" + range("t.TC", "TRP") +
             " OR [d] = '0001' COLLATE CI_RTRIM" + range("[d]", "0001")},
        {"in a join and a CASE",
         "SELECT CASE WHEN b = '1' THEN 1 END FROM t JOIN u ON u.x = 'A''B' WHERE (c = '')",
         "SELECT CASE WHEN b = '1' COLLATE CI_RTRIM" + range("b", "1") + " THEN 1 END FROM t JOIN u ON u.x = 'A''B' "
             "COLLATE CI_RTRIM" + range("u.x", "A''B") + " WHERE (c = '' COLLATE CI_RTRIM" + range("c", "") + ")"},
        {"under NOT the range would be negated too", "SELECT a FROM t WHERE NOT b = 'x'",
         "SELECT a FROM t WHERE NOT b = 'x' COLLATE CI_RTRIM"},
        {"an expression is no column", "SELECT a FROM t WHERE LTRIM(RTRIM(b)) = '1' AND c + d = 'x'",
         "SELECT a FROM t WHERE LTRIM(RTRIM(b)) = '1' COLLATE CI_RTRIM AND c + d = 'x' COLLATE CI_RTRIM"},
        {"the literal is not the whole other side", "SELECT a FROM t WHERE b = 'x' || c",
         "SELECT a FROM t WHERE b = 'x' COLLATE CI_RTRIM || c"},
        {"letters another alphabet folds into, and letters of another alphabet",
         "SELECT a FROM t WHERE b = 'kg' OR b = 'S1' OR b = 'ñ'",
         "SELECT a FROM t WHERE b = 'kg' COLLATE CI_RTRIM OR b = 'S1' COLLATE CI_RTRIM OR b = 'ñ' COLLATE CI_RTRIM"},
        {"other comparisons", "SELECT a FROM t WHERE b <> 'x' AND b < 'y' AND b LIKE 'z%'",
         "SELECT a FROM t WHERE b <> 'x' COLLATE CI_RTRIM AND b < 'y' COLLATE CI_RTRIM AND b LIKE 'z%'"},
        {"the upper end of a BETWEEN", "SELECT a FROM t WHERE n BETWEEN 1 AND b = 'x'",
         "SELECT a FROM t WHERE n BETWEEN 1 AND b = 'x' COLLATE CI_RTRIM"},
    };
    for (const Case& c : cases) {
        const auto out = SqliteDialect(QStringLiteral("CI_RTRIM")).translate(QString::fromUtf8(c.sqlServer));
        ASSERT_EQ(out.size(), 1u) << c.what;
        EXPECT_EQ(out[0].text, c.sqlite) << c.what;
    }
    // A view's column, a derived table's and an outer query's get none: no
    // index of theirs would be read, and the stretch would be weighed on
    // every row.
    const QSet<QString> views = {QStringLiteral("stk_dravelo_sin_asignar"), QStringLiteral("v")};
    struct ViewCase {
        const char* what;
        const char* sqlServer;
        QString sqlite;
    } viewCases[] = {
        {"a view", "SELECT COUNT(*) from Stk_Dravelo_Sin_Asignar where iddeposito='   1' and Cantidad > 0",
         "SELECT COUNT(*) from Stk_Dravelo_Sin_Asignar where iddeposito='   1' COLLATE CI_RTRIM and Cantidad > 0"},
        {"a table and a view, by name and alias",
         "SELECT a FROM t LEFT JOIN v AS w ON w.x = t.x WHERE t.b = 'x' AND w.c = 'y' AND v.c = 'z' AND d = 'q'",
         "SELECT a FROM t LEFT JOIN v AS w ON w.x = t.x WHERE t.b = 'x' COLLATE CI_RTRIM" + range("t.b", "x") +
             " AND w.c = 'y' COLLATE CI_RTRIM AND v.c = 'z' COLLATE CI_RTRIM AND d = 'q' COLLATE CI_RTRIM"},
        {"a derived table, and a subquery's own table",
         "SELECT a FROM (SELECT b FROM t WHERE (c = '1')) q WHERE q.b = 'x' AND b = 'y'",
         "SELECT a FROM (SELECT b FROM t WHERE (c = '1' COLLATE CI_RTRIM" + range("c", "1") +
             ")) q WHERE q.b = 'x' COLLATE CI_RTRIM AND b = 'y' COLLATE CI_RTRIM"},
        {"an outer query's table", "SELECT a FROM t WHERE EXISTS (SELECT 1 FROM u WHERE t.b = 'x')",
         "SELECT a FROM t WHERE EXISTS (SELECT 1 FROM u WHERE t.b = 'x' COLLATE CI_RTRIM)"},
        {"an update's table", "UPDATE t SET a = 'x' WHERE b = 'y'",
         "UPDATE t SET a = 'x' WHERE b = 'y' COLLATE CI_RTRIM" + range("b", "y")},
    };
    for (const ViewCase& c : viewCases) {
        const auto out = SqliteDialect(QStringLiteral("CI_RTRIM"), views).translate(QString::fromUtf8(c.sqlServer));
        ASSERT_EQ(out.size(), 1u) << c.what;
        EXPECT_EQ(out[0].text, c.sqlite) << c.what;
    }
    // Where the literals compare by NOCASE already, the column's index serves
    // the equality as it stands.
    EXPECT_EQ(single(QStringLiteral("SELECT a FROM t WHERE b = 'x'")),
              QStringLiteral("SELECT a FROM t WHERE b = 'x' COLLATE NOCASE"));
}

TEST(SqliteDialect, LeavesDefinitionsWithoutTheLayersCollation)
{
    // A view stored with the layer's own collation would break the file for
    // every other tool.
    EXPECT_EQ(single(QStringLiteral("CREATE VIEW v AS SELECT a FROM t WHERE b = 'x'")),
              QStringLiteral("CREATE VIEW v AS SELECT a FROM t WHERE b = 'x'"));
}

namespace {

// The given column of every row of a query on a handle.
QStringList firstColumn(sqlite3* db, const QString& sql, int column = 0)
{
    QStringList rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        return {QStringLiteral("(error: %1)").arg(QString::fromUtf8(sqlite3_errmsg(db)))};
    while (sqlite3_step(st) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
    sqlite3_finalize(st);
    return rows;
}

}  // namespace

// The stretch never leaves out a value the equality takes: generated codes
// of letters in both cases, letters of other alphabets and those that fold
// into ours (the Kelvin sign, the long s), blanks, tabs and punctuation,
// each looked for with every literal, give the rows the bare equality gives.
TEST(SqliteDialect, TheStretchAnIndexReadsHoldsEveryValueTheEqualityTakes)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    db::SqliteBackend::registerCollation(db);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE c (v varchar(10) COLLATE NOCASE); CREATE INDEX ix ON c (v);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    const QStringList pieces = {"a",       "A", "k", "K", QString(QChar(0x212A)), "s", "S", QString(QChar(0x017F)),
                                "ñ",       "Ñ", "1", " ", "\t",                    "!", "é", "É"};
    std::mt19937 random(7);
    QStringList values;
    for (int i = 0; i < 400; ++i) {
        QString v;
        for (int n = std::uniform_int_distribution<int>(0, 4)(random); n > 0; --n)
            v += pieces.at(std::uniform_int_distribution<int>(0, static_cast<int>(pieces.size()) - 1)(random));
        values << v;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO c VALUES (?1)", -1, &st, nullptr);
        const QByteArray utf8 = v.toUtf8();
        sqlite3_bind_text(st, 1, utf8.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
    }
    const SqliteDialect dialect(QStringLiteral("CI_RTRIM"));
    int ranged = 0;
    for (const QString& v : values) {
        QString literal = v;
        literal.replace(u'\'', QStringLiteral("''"));
        const QString bare = QStringLiteral("SELECT v FROM c WHERE v = '%1' COLLATE CI_RTRIM ORDER BY rowid").arg(literal);
        const auto out = dialect.translate(QStringLiteral("SELECT v FROM c WHERE v = '%1' ORDER BY rowid").arg(literal));
        ASSERT_EQ(out.size(), 1u);
        ranged += out[0].text.contains(QStringLiteral("COLLATE NOCASE")) ? 1 : 0;
        EXPECT_EQ(firstColumn(db, out[0].text), firstColumn(db, bare)) << v.toStdString();
    }
    EXPECT_GT(ranged, 50) << "the stretch was tried on few literals";
    sqlite3_close(db);
}

// The number of the last transfer voucher, asked at every start-up, reads
// the index of its type instead of every movement.
TEST(SqliteDialect, TheLastTransferNumberIsReadThroughItsIndex)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.db"));
    EmbeddedDatabase::create(path, false);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    db::SqliteBackend::registerCollation(db);
    const auto out = SqliteDialect(QStringLiteral("CI_RTRIM"))
                         .translate(QStringLiteral("SELECT TOP 1 CAST(NUMERO AS INTEGER) AS NUMERO FROM "
                                                   "V_MV_STOCK_DRAVELO WHERE TC='TRP' ORDER BY NUMERO DESC"));
    ASSERT_EQ(out.size(), 1u);
    const QString plan = firstColumn(db, QStringLiteral("EXPLAIN QUERY PLAN %1").arg(out[0].text), 3).join(u'\n');
    EXPECT_TRUE(plan.contains(QStringLiteral("SEARCH V_MV_STOCK_DRAVELO USING COVERING INDEX"))) << plan.toStdString();
    sqlite3_close(db);
}
