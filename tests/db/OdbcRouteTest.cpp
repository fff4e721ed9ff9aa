// The ODBC route for real: through the SQLite ODBC driver, and through
// FreeTDS up to a reported connection failure.
#include "DbFixture.h"

#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"

#include <optional>

namespace {

struct OdbcFixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("odbc.db"));
    db::Connection cn;

    OdbcFixture()
    {
        EmbeddedDatabase::create(path, false);
        EmbeddedDatabase::execute(path, QStringLiteral(R"(
            INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');
            INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('TopConsArt', '100'), ('Nula', NULL);
        )"));
        cn.Open(QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(path));
    }
    long count(const QString& sql)
    {
        db::Recordset rs;
        rs.Open(sql, cn);
        return rs.RecordCount();
    }
};

// Sets an environment variable for one scope.
struct ScopedEnv {
    QByteArray name;
    QByteArray old;
    bool had;
    ScopedEnv(const char* n, const QByteArray& value) : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n))
    {
        if (value.isNull())
            qunsetenv(n);
        else
            qputenv(n, value);
    }
    ~ScopedEnv()
    {
        if (had)
            qputenv(name.constData(), old);
        else
            qunsetenv(name.constData());
    }
};

RuntimeError openFailure(db::Connection& cn, const QString& connectionString)
{
    try {
        cn.Open(connectionString);
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "opened " << connectionString.toStdString();
    return RuntimeError(0, {});
}

}  // namespace

TEST(OdbcRoute, OpensExecutesAndReadsThroughTheSqliteDriver)
{
    OdbcFixture f;
    EXPECT_EQ(f.cn.State(), db::state::Open);
    EXPECT_EQ(f.cn.dialect(), db::Dialect::Sqlite) << "SQLite behind ODBC still takes the rewrite";

    long affected = 0;
    f.cn.Execute(QStringLiteral("UPDATE ta_usuarios SET UNegocio = '   2' WHERE nombre = 'ANA'"), &affected);
    EXPECT_EQ(affected, 1);

    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='Ana' "), f.cn);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("UNEGOCIO")).toString(), QStringLiteral("   2"));
    EXPECT_EQ(rs.field(QStringLiteral("nombre")).Type(), db::type::VarChar);
    rs.Close();

    rs.Open(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'nula'"), f.cn);
    EXPECT_TRUE(lang::isNull(rs.value(0)));
}

TEST(OdbcRoute, RunsATransactionBatchAndRollsItBack)
{
    OdbcFixture f;
    try {
        f.cn.Execute(QStringLiteral("BEGIN TRANSACTION \r\r\r INSERT INTO ta_usuarios (nombre) Values('juan')\r"
                                    " INSERT INTO ta_usuarios (nombre) Values('ana')\r"));
        ADD_FAILURE() << "the repeated key went through";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 2627);
    }
    ASSERT_EQ(f.cn.errors().Count(), 1);
    EXPECT_EQ(f.cn.errors().Item(0).NativeError, 2627);
    EXPECT_FALSE(f.cn.errors().Item(0).SQLState.isEmpty()) << "the driver's own SQLSTATE";
    f.cn.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 1);

    f.cn.Execute(QStringLiteral("BEGIN TRANSACTION \r\r\r INSERT INTO ta_usuarios (nombre) Values('juan')\r"));
    f.cn.Execute(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 2);
}

TEST(OdbcRoute, MapsAnUnknownColumn)
{
    OdbcFixture f;
    try {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT NoExiste FROM ta_usuarios"), f.cn);
        ADD_FAILURE() << "opened";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 207);
    }
    EXPECT_EQ(f.cn.errors().Item(0).Number, 207);
}

TEST(OdbcRoute, AddsARowThroughTheRecordset)
{
    OdbcFixture f;
    db::Recordset rs;
    rs.Open(QStringLiteral("select  top 1 * from AUX_ERR"), f.cn, db::cursor::Dynamic, db::lock::Optimistic);
    rs.AddNew();
    rs.setValue(QStringLiteral("Proceso"), QStringLiteral("prueba"));
    rs.setValue(QStringLiteral("Descripcion"), QStringLiteral("it's"));
    rs.Update();
    rs.Close();
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM AUX_ERR WHERE Descripcion = 'it''s'")), 1);
}

TEST(OdbcRoute, ListsTablesAndColumns)
{
    OdbcFixture f;
    auto tables = f.cn.OpenSchema(db::schema::Tables, {QVariant(), QVariant(), QStringLiteral("aux_err")});
    ASSERT_EQ(tables->RecordCount(), 1);
    EXPECT_EQ(tables->value(QStringLiteral("TABLE_NAME")).toString(), QStringLiteral("AUX_ERR"));
    auto columns = f.cn.OpenSchema(db::schema::Columns, {QStringLiteral("STOCK"), QVariant(), QStringLiteral("TA_CONFIGURACION")});
    QStringList names;
    for (; !columns->Eof(); columns->MoveNext())
        names << columns->value(QStringLiteral("COLUMN_NAME")).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("CLAVE"), QStringLiteral("VALOR")}));
}

TEST(OdbcRoute, ReportsAClosedSqlServerPortAsAConnectionError)
{
    ScopedEnv driver("APP_SQLSERVER_ODBC_DRIVER", QByteArray());
    db::Connection cn;
    // A password holding ";" and "}" stays one value.
    const RuntimeError e = openFailure(
        cn, QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1,1;Database =STOCK;UId=sa;Pwd=\"a;b}c\";"));
    ASSERT_GE(cn.errors().Count(), 1);
    const db::Error& first = cn.errors().Item(0);
    EXPECT_TRUE(first.SQLState == u"08S01" || first.SQLState == u"08001") << first.SQLState.toStdString();
    EXPECT_EQ(first.NativeError, first.Number);
    EXPECT_EQ(e.number(), first.Number);
    EXPECT_FALSE(first.Description.isEmpty());
    EXPECT_EQ(cn.State(), db::state::Closed);
}

// A driver that does not load is named in the operator's words, with the
// setting that named it, instead of the driver manager's "Can't open lib".
TEST(OdbcRoute, ADriverThatDoesNotLoadIsNamedInASpanishSentence)
{
    struct Case {
        const char* what;
        const char* setting;  // the environment variable set to `driver`, or none
        const char* driver;
        const char* connectionString;
    } cases[] = {
        {"SQL Server's driver named in the environment", "APP_SQLSERVER_ODBC_DRIVER", "ControladorInexistente",
         "PROVIDER=SQLOLEDB;Server=127.0.0.1;Database =STOCK;UId=sa;Pwd=x;"},
        {"Oracle's driver named in the environment", "APP_ORACLE_ODBC_DRIVER", "ControladorInexistente",
         "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;"},
        {"a registered driver whose library is missing", nullptr, "SQLite", "DRIVER={SQLite};Database=/tmp/x.db;"},
    };
    for (const Case& c : cases) {
        std::optional<ScopedEnv> setting;
        if (c.setting)
            setting.emplace(c.setting, QByteArray(c.driver));
        db::Connection cn;
        const RuntimeError e = openFailure(cn, QString::fromUtf8(c.connectionString));
        const QString expected =
            QStringLiteral("No se puede cargar el controlador ODBC \"%1\": no está instalado en este puesto").arg(c.driver);
        EXPECT_TRUE(e.description().startsWith(expected)) << c.what << ": " << e.description().toStdString();
        EXPECT_EQ(e.description().contains(QLatin1String(c.setting ? c.setting : "variable de entorno")), c.setting != nullptr)
            << c.what << ": " << e.description().toStdString();
        ASSERT_EQ(cn.errors().Count(), 1) << c.what;
        EXPECT_EQ(cn.errors().Item(0).Description, e.description()) << c.what;
        EXPECT_EQ(cn.State(), db::state::Closed) << c.what;
    }
}

TEST(OdbcRoute, OracleWithoutADriverFailsWithAClearMessage)
{
    ScopedEnv driver("APP_ORACLE_ODBC_DRIVER", QByteArray());
    db::Connection cn;
    const RuntimeError e = openFailure(cn, QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;"));
    ASSERT_EQ(cn.errors().Count(), 1);
    EXPECT_TRUE(e.description().contains(QStringLiteral("APP_ORACLE_ODBC_DRIVER")));
    EXPECT_TRUE(e.description().contains(QStringLiteral("Oracle")));
    EXPECT_EQ(cn.dialect(), db::Dialect::Oracle);
}
