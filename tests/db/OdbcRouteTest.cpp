// The ODBC route for real: through the SQLite ODBC driver, and through
// FreeTDS up to a reported connection failure.
#include "DbFixture.h"

#include "core/DB_Dll.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/NativeErrors.h"
#include "tests/support/EstacionesALaVez.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

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

// A transaction the database ended itself (here a trigger that rolls it
// back) leaves nothing to undo: the rollback after it is no failure, and the
// next transaction runs, through the driver as on the embedded route.
TEST(OdbcRoute, ARollbackAfterTheDatabaseEndedTheTransactionItselfIsNoFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deshace.db"));
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, QStringLiteral("CREATE TRIGGER Deshace BEFORE INSERT ON ta_usuarios WHEN "
                                                   "NEW.nombre = 'deshace' BEGIN SELECT RAISE(ROLLBACK, 'deshecha'); END;"));
    for (const QString& route : {QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;").arg(path),
                                 QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(path)}) {
        SCOPED_TRACE(route.toStdString());
        db::Connection cn;
        cn.Open(route);
        cn.Execute(QStringLiteral("DELETE FROM ta_usuarios"));
        cn.BeginTrans();
        cn.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('juan')"));
        EXPECT_THROW(cn.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('deshace')")), RuntimeError);
        EXPECT_NO_THROW(cn.RollbackTrans());
        cn.BeginTrans();
        cn.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('luis')"));
        cn.CommitTrans();
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT nombre FROM ta_usuarios"), cn);
        ASSERT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.value(0).toString(), QStringLiteral("luis"));
    }
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

// An Oracle server answers a table it does not hold with ORA-00942 (SQLSTATE
// 42S02): the program's opening refuses the database as not this system's,
// in the operator's words, naming the tables it lacks, and does not go on.
// Holding them all, it opens on Oracle.
TEST(OdbcRoute, AnOracleDatabaseWithoutTheTablesIsRefusedInTheOperatorsWords)
{
    ScopedEnv driver("APP_ORACLE_ODBC_DRIVER", QByteArray(CONTROLADOR_ORACLE_PRUEBA));
    const struct {
        const char* tables;  // what the server holds
        const char* refusal; // "" when it opens
    } cases[] = {
        {"TA_CONFIGURACION",
         "Descripcion: No se puede abrir la base de datos \"ORCL\": no es una base de datos de este sistema (le faltan "
         "AUX_ERR, TA_USUARIOS). No se modificó."},
        {"TA_CONFIGURACION,AUX_ERR,TA_USUARIOS", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tables);
        ScopedEnv tables("ORACLE_DE_PRUEBA_TABLAS", QByteArray(c.tables));
        releaseObjDB();
        DB_Dll& db = ObjDB();
        db.gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
        db.gDbName = QStringLiteral("ORCL");
        db.gUsuario = QStringLiteral("ana");
        db.gUserPassWord = QStringLiteral("clave");
        db.gTablasRequeridas << QStringLiteral("TA_USUARIOS");
        ScopedPrompts p;
        if (*c.refusal)
            p.answerMessage(prompt::No, QString::fromUtf8(c.refusal));
        db.OpenServerADODB(false, 3, QString());
        EXPECT_EQ(db.gOpenFlag, !*c.refusal);
        EXPECT_EQ(db.gCnn().State(), *c.refusal ? db::state::Closed : db::state::Open);
        EXPECT_EQ(db.gCnn().dialect(), db::Dialect::Oracle);
    }
    releaseObjDB();
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

namespace {

// Stations saving lines at the same moment, each from its own process and
// its own ODBC connection (tests/db/estacion): station s saves `lineas` lines
// of its own articles "E<s>_<i>". What each station showed, a box a line.
std::vector<QString> correEstaciones(const QString& conexion, const QString& archivo, int estaciones, int lineas)
{
    std::vector<QStringList> argumentos;
    for (int s = 0; s < estaciones; ++s)
        argumentos.push_back({conexion, QStringLiteral("E%1_").arg(s), QString::number(lineas)});
    return CorreEstacionesALaVez(archivo, QStringLiteral(ESTACION_GRABACION), argumentos, 100000);
}

}  // namespace

// Eight stations save lines through the SQLite ODBC driver at the same
// moment. A line's transaction takes the write lock when it begins, as on the
// embedded route, so no station's write ever finds that another station wrote
// after it began reading: every line is saved, and no station is told that
// the database is damaged. A station that waits longer than the driver's
// Timeout is asked whether to wait more, and nothing else.
TEST(OdbcRoute, EightStationsSavingAtOnceSaveEveryLine)
{
    constexpr int kEstaciones = 8;
    constexpr int kLineas = 10;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("estaciones.db"));
    EmbeddedDatabase::create(path, false);
    QString recibos = QStringLiteral("INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');\n");
    for (int s = 0; s < kEstaciones; ++s)
        for (int i = 0; i < kLineas; ++i)
            recibos += QStringLiteral("INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, "
                                      "IDUNIDADBASE, CANTIDAD, IDDEPOSITO) VALUES ('IR', '0001', '00000123', 'X', "
                                      "'%1', '  UN', 2, '   1');\n")
                           .arg(QStringLiteral("E%1_%2").arg(s).arg(i).rightJustified(25));
    EmbeddedDatabase::execute(path, recibos);

    // The driver waits about twice its Timeout for another station's lock:
    // about the embedded route's 5 s.
    const std::vector<QString> mostrado =
        correEstaciones(QStringLiteral("DRIVER={SQLite3};Database=%1;Timeout=2500;").arg(path), path, kEstaciones, kLineas);
    for (std::size_t s = 0; s < mostrado.size(); ++s)
        for (const QString& caja : mostrado[s].split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(caja.startsWith(QStringLiteral("[1222] "))) << "station " << s << ": " << caja.toStdString();

    db::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path));
    const auto filas = [&](const char* sql) {
        db::Recordset rs;
        rs.Open(QString::fromLatin1(sql), cn);
        return rs.RecordCount();
    };
    EXPECT_EQ(filas("SELECT * FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP' AND IDPOSICION = 'P1'"), kEstaciones * kLineas);
    EXPECT_EQ(filas("SELECT * FROM Stk_Dravelo_Sin_Asignar WHERE Cantidad <> 0"), 0);
    EXPECT_EQ(filas("SELECT DISTINCT NUMERO FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), kEstaciones * kLineas)
        << "each first line takes a number of its own";
}
