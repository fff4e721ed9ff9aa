#include "DbFixture.h"

#include "platform/RuntimeError.h"
#include "platform/db/NativeErrors.h"
#include "tests/support/QtPrinting.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <functional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* kKeys = R"(
    INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');
)";

// The error a call raised, with the collection it left.
template <class F>
RuntimeError raised(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return RuntimeError(0, {});
}

// Every file under a folder with its bytes, to show that nothing changed.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(info.filePath());
        files[info.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<folder>");
    }
    return files;
}

// A SQLite file made by someone else, with the given script.
void sqliteFile(const QString& path, const char* script)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, script, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A database with the tables this system needs and some rows, its bytes
// then damaged by `damage`.
void damagedDatabase(const QString& path, const std::function<void(QByteArray&)>& damage)
{
    sqliteFile(path, "CREATE TABLE TA_CONFIGURACION (CLAVE varchar(50), VALOR varchar(255)); CREATE TABLE AUX_ERR (x int);"
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                     "INSERT INTO TA_CONFIGURACION SELECT 'CLAVE' || i, printf('%0200d', i) FROM n;");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    ASSERT_GT(bytes.size(), 8192);
    damage(bytes);
    f.resize(0);
    f.seek(0);
    f.write(bytes);
}

QString embedded(const QString& path)
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=u;Pwd=;").arg(path);
}

}  // namespace

TEST(EmbeddedConnection, OpensTheFileTheConnectionStringNamesAndKeepsTheStringAsGiven)
{
    EmbeddedFixture f;
    EXPECT_EQ(f.cn.State(), db::state::Open);
    EXPECT_EQ(f.cn.ConnectionString(), f.connectionString());
    EXPECT_EQ(f.cn.dialect(), db::Dialect::Sqlite);
    // A saved line survives a crash.
    db::Recordset rs;
    rs.Open(QStringLiteral("PRAGMA journal_mode"), f.cn);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("wal"));
    rs.Close();
    rs.Open(QStringLiteral("PRAGMA synchronous"), f.cn);
    EXPECT_EQ(rs.value(0).toInt(), 2);
}

TEST(EmbeddedConnection, AFailedOpenIsReportedThroughTheErrorsCollection)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QString connectionString;
        long number;
    } cases[] = {
        {"a database file that is not there",
         QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=u;Pwd=p;").arg(dir.filePath(QStringLiteral("no.db"))),
         db::failure::OpenDatabaseFailed},
        {"a connection string that names nothing known", QStringLiteral("Server;Nada"), errnum::ProviderFailure},
    };
    for (const Case& c : cases) {
        db::Connection cn;
        const RuntimeError e = raised([&] { cn.Open(c.connectionString); });
        EXPECT_EQ(e.number(), c.number) << c.what;
        ASSERT_EQ(cn.errors().Count(), 1) << c.what;
        EXPECT_EQ(cn.errors().Item(0).Number, c.number) << c.what;
        EXPECT_FALSE(cn.errors().Item(0).SQLState.isEmpty()) << c.what;
        EXPECT_EQ(cn.State(), db::state::Closed) << c.what;
        EXPECT_EQ(cn.ConnectionString(), c.connectionString) << c.what;
    }
    // A file that is no database fails at the open, not at the first query.
    const QString junk = dir.filePath(QStringLiteral("junk.db"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    db::Connection cn;
    raised([&] { cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;").arg(junk)); });
    EXPECT_EQ(cn.errors().Count(), 1);
    EXPECT_EQ(cn.State(), db::state::Closed);
}

// Through the SQLite ODBC driver the same file gets the same words: the check
// runs on every route. (A folder stops the driver itself at the connection.)
TEST(EmbeddedConnection, AFileThatIsNotThisSystemsDatabaseIsRefusedInTheSameWordsOnEveryRouteAndLeftAsItWas)
{
    const QStringList required{QStringLiteral("TA_CONFIGURACION"), QStringLiteral("AUX_ERR")};
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;  // the file (or folder) at that path; none: nothing there
        const char* says;                          // words of the message, after the file's name
        bool throughOdbc = true;
    } cases[] = {
        {"nothing there", nullptr, "el archivo no existe"},
        {"a folder", [](const QString& p) { QDir().mkpath(p); }, "es una carpeta", false},
        {"an empty file",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         "el archivo no es una base de datos de este sistema"},
        {"a text file",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("IdArticulo;Cantidad\n");
         },
         "el archivo no es una base de datos de este sistema"},
        {"a database's header and nothing more",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray("SQLite format 3\0", 16));
         },
         "el archivo no es una base de datos de este sistema"},
        {"an empty SQLite database", [](const QString& p) { sqliteFile(p, "PRAGMA user_version = 3;"); },
         "no es una base de datos de este sistema (le faltan TA_CONFIGURACION, AUX_ERR)"},
        {"another program's database",
         [](const QString& p) { sqliteFile(p, "CREATE TABLE clientes (id int); CREATE TABLE ta_configuracion (c int);"); },
         "no es una base de datos de este sistema (le faltan AUX_ERR)"},
        {"this system's database cut short",
         [](const QString& p) { damagedDatabase(p, [](QByteArray& bytes) { bytes.truncate(bytes.size() / 2); }); },
         "el archivo no es una base de datos de este sistema. No se modificó."},
        {"a database's header over a random body",
         [](const QString& p) {
             damagedDatabase(p, [](QByteArray& bytes) {
                 for (qsizetype i = 100; i < bytes.size(); ++i)
                     bytes[i] = static_cast<char>((i * 7919) % 251);
             });
         },
         "el archivo no es una base de datos de este sistema. No se modificó."},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stock.db"));
        if (c.make)
            c.make(path);
        const QMap<QString, QByteArray> before = contents(dir.path());

        QStringList routes{embedded(path)};
        if (c.throughOdbc)
            routes << QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(path);
        for (const QString& route : routes) {
            db::Connection cn;
            cn.setRequiredTables(required);
            const RuntimeError e = raised([&] { cn.Open(route); });
            EXPECT_EQ(e.number(), db::failure::OpenDatabaseFailed) << c.what << " " << route.toStdString();
            EXPECT_TRUE(e.description().startsWith("No se puede abrir la base de datos \"" + path + "\": " + c.says))
                << c.what << " " << route.toStdString() << ": " << e.description().toStdString();
            EXPECT_EQ(cn.errors().Count(), 1) << c.what << " " << route.toStdString();
            EXPECT_EQ(cn.State(), db::state::Closed) << c.what << " " << route.toStdString();
            EXPECT_EQ(contents(dir.path()), before) << c.what << " " << route.toStdString() << ": the file was changed";
        }
    }

    // The system's own database opens on both routes.
    EmbeddedFixture f;
    for (const QString& route : {f.connectionString(), QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(f.path)}) {
        db::Connection cn;
        cn.setRequiredTables(required);
        cn.Open(route);
        EXPECT_EQ(cn.State(), db::state::Open) << route.toStdString();
    }
}

namespace {

// Whether this process holds a read lock on the file: SQLite's lock that
// tells other stations the database is in use (from /proc/locks, since a
// process never sees its own locks through fcntl).
bool holdsReadLock(const QString& path)
{
    struct stat st {};
    if (stat(path.toUtf8().constData(), &st) != 0)
        return false;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString inode = u':' + QString::number(st.st_ino);
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QStringList f = QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
        if (f.size() >= 6 && f[1] == u"POSIX" && f[3] == u"READ" && f[4] == pid && f[5].endsWith(inode))
            return true;
    }
    return false;
}

}  // namespace

// A connection that opens the file keeps every lock the program holds on it:
// a lock lost lets another station take the file for unused and reset its
// write-ahead log under this one, and what this one saves then is lost.
TEST(EmbeddedConnection, OpeningTheFileLeavesTheLocksOfTheConnectionsOpenOnIt)
{
    EmbeddedFixture f;
    ASSERT_TRUE(holdsReadLock(f.path)) << "the fixture's embedded connection";
    const struct {
        const char* what;
        QString connectionString;
    } cases[] = {
        {"a second embedded connection", f.connectionString()},
        {"a connection through the SQLite ODBC driver", QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(f.path)},
    };
    for (const auto& c : cases) {
        db::Connection second;
        second.Open(c.connectionString);
        EXPECT_TRUE(holdsReadLock(f.path)) << c.what;
    }
    f.cn.Close();
    db::Connection odbc;
    odbc.Open(QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(f.path));
    EXPECT_TRUE(holdsReadLock(f.path)) << "the ODBC driver's connection alone";
}

// A database this station cannot write, in a folder it cannot write or as a
// file it cannot write, is refused at the opening in one sentence that names
// the file and says what cannot be done, on both routes, and the file is left
// as it was. The program starts as a clerk does: its own process, as a user
// the files' permissions apply to (root may write anywhere).
TEST(EmbeddedConnection, ADatabaseThisStationCannotWriteIsRefusedNamingTheFile)
{
    constexpr uid_t kOtroUsuario = 65534;
    const bool comoRoot = geteuid() == 0;
    const struct {
        const char* what;
        QFileDevice::Permissions folder;
        QFileDevice::Permissions file;
    } cases[] = {
        {"a folder it cannot write", QFileDevice::ReadOwner | QFileDevice::ExeOwner,
         QFileDevice::ReadOwner | QFileDevice::WriteOwner},
        {"a file it cannot write", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner,
         QFileDevice::ReadOwner},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stock.db"));
        EmbeddedDatabase::create(path, false);
        if (comoRoot) {
            ASSERT_EQ(chown(dir.path().toUtf8().constData(), kOtroUsuario, kOtroUsuario), 0);
            ASSERT_EQ(chown(path.toUtf8().constData(), kOtroUsuario, kOtroUsuario), 0);
        }
        QFile::setPermissions(path, c.file);
        QFile::setPermissions(dir.path(), c.folder);
        const QByteArray before = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);

        for (const QString& route : {QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path),
                                     QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(path)}) {
            SCOPED_TRACE(std::string(c.what) + " " + route.toStdString());
            const QStringList estacion{QStringLiteral(ESTACION_GRABACION), route, QStringLiteral("E"),
                                       QStringLiteral("1"), dir.filePath(QStringLiteral("abierta"))};
            QProcess p;
            if (comoRoot)
                p.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                               QStringLiteral("--clear-groups")} + estacion);
            else
                p.start(estacion.front(), estacion.mid(1));
            ASSERT_TRUE(p.waitForFinished(60000));
            const QString shown = QString::fromUtf8(p.readAllStandardOutput());
            EXPECT_EQ(p.exitCode(), 200) << "the program goes on without a database: " << shown.toStdString();
            EXPECT_TRUE(shown.contains(QStringLiteral("No se puede abrir la base de datos \"%1\": este puesto no tiene "
                                                      "permiso para escribir en el archivo o en su carpeta")
                                           .arg(path)))
                << shown.toStdString();
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), before) << "the file was changed";
            if (route.contains(QLatin1String("(sqlite)"))) {
                EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), filesBefore);
            }
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

TEST(EmbeddedConnection, AnotherStationsLockFailsAfterAShortWaitInTheOperatorsWords)
{
    EmbeddedFixture f;
    db::Connection other;
    other.Open(f.connectionString());
    other.BeginTrans();
    other.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('otro')"));

    // The server's command time-out does not become the station's wait.
    f.cn.setCommandTimeout(360);
    const RuntimeError e = raised([&] { f.cn.BeginTrans(); });
    EXPECT_EQ(e.number(), db::serverError::Locked);
    EXPECT_TRUE(e.description().startsWith("La base de datos está ocupada")) << e.description().toStdString();
    ASSERT_EQ(f.cn.errors().Count(), 1);
    EXPECT_EQ(f.cn.errors().Item(0).Description, "database is locked") << "the database's own words are kept";

    other.RollbackTrans();
    f.cn.BeginTrans();
    f.cn.RollbackTrans();
}

TEST(NativeErrors, TheCommonFailuresAreExplainedToTheOperator)
{
    struct Case {
        const char* what;
        db::Error error;
        const char* explanation;  // its beginning; "" when there is none
    } cases[] = {
        {"locked", db::sqliteError(5, "database is locked"), "La base de datos está ocupada"},
        {"locked table", db::sqliteError(6, "database table is locked"), "La base de datos está ocupada"},
        {"read only", db::sqliteError(8, "attempt to write a readonly database"), "No se puede grabar: la base de datos es de solo lectura"},
        {"disk I/O", db::sqliteError(10 | (3 << 8), "disk I/O error"), "Falló la lectura o la escritura en el disco"},
        {"disk full", db::sqliteError(13, "database or disk is full"), "No se puede grabar: no queda espacio"},
        {"not a database", db::sqliteError(26, "file is not a database"), "El archivo de la base de datos está dañado"},
        {"damaged", db::sqliteError(11, "database disk image is malformed"), "El archivo de la base de datos está dañado"},
        {"SQL Server unreachable",
         {20009, "[FreeTDS][SQL Server]Unable to connect: Adaptive Server is unavailable or does not exist", "08001", 20009, "ODBC"},
         "No se puede conectar con el servidor"},
        {"link lost", {0, "Communication link failure", "08S01", 0, "ODBC"}, "No se puede conectar con el servidor"},
        {"login", {18456, "Login failed for user 'ana'.", "28000", 18456, "ODBC"}, "El servidor de base de datos rechazó"},
        {"SQL Server lock time-out", {1222, "Lock request time out period exceeded.", "HY000", 1222, "ODBC"},
         "La base de datos está ocupada"},
        {"chosen to give way", {1205, "Transaction (Process ID 57) was deadlocked on lock resources", "40001", 1205, "ODBC"},
         "Otro puesto grababa lo mismo"},
        {"query time-out", {0, "Query timeout expired", "HYT00", 0, "ODBC"}, "El servidor de base de datos no respondió"},
        {"duplicate key: for the staff", db::sqliteError(1555, "UNIQUE constraint failed: t.id"), ""},
        {"the layer's own, already in Spanish",
         db::layerError(db::failure::OpenDatabaseFailed, "08004", "No se puede abrir la base de datos \"x\""), ""},
    };
    for (const Case& c : cases) {
        const QString text = db::explanation(c.error);
        if (*c.explanation)
            EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.explanation))) << c.what << ": " << text.toStdString();
        else
            EXPECT_EQ(text, "") << c.what;
    }
}

TEST(EmbeddedConnection, MapsFailuresToTheNumbersTheProceduresTest)
{
    EmbeddedFixture f(QString::fromUtf8(kKeys));
    struct Case {
        const char* what;
        const char* sql;
        long number;
        const char* sqlState;
    } cases[] = {
        {"duplicate key", "INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ANA', '   2')", 2627, "23000"},
        {"unknown column", "UPDATE ta_usuarios SET NoExiste = 1", 207, "42S22"},
        {"unknown column in an insert", "INSERT INTO ta_usuarios (nombre, NoExiste) VALUES ('x', 1)", 207, "42S22"},
        {"unknown table", "DELETE FROM NoExiste", 208, "42S02"},
        {"a null where none is allowed", "INSERT INTO ta_usuarios (nombre) VALUES (NULL)", 515, "23000"},
        {"broken syntax", "UPDATE ta_usuarios SET", 102, "42000"},
    };
    for (const Case& c : cases) {
        const RuntimeError e = raised([&] { f.cn.Execute(QString::fromUtf8(c.sql)); });
        EXPECT_EQ(e.number(), c.number) << c.what;
        ASSERT_EQ(f.cn.errors().Count(), 1) << c.what;
        const db::Error& err = f.cn.errors().Item(0);
        EXPECT_EQ(err.Number, c.number) << c.what;
        EXPECT_EQ(err.NativeError, c.number) << c.what;
        EXPECT_EQ(err.SQLState, QString::fromLatin1(c.sqlState)) << c.what;
        EXPECT_FALSE(err.Description.isEmpty()) << c.what;
    }
}

TEST(EmbeddedConnection, ASuccessfulStatementLeavesTheLastErrorsForTheCallerToRead)
{
    EmbeddedFixture f(QString::fromUtf8(kKeys));
    raised([&] { f.cn.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('ana')")); });
    long affected = 0;
    f.cn.Execute(QStringLiteral("UPDATE ta_usuarios SET UNegocio = '   2'"), &affected);
    EXPECT_EQ(affected, 1);
    ASSERT_EQ(f.cn.errors().Count(), 1);
    EXPECT_EQ(f.cn.errors().Item(0).Number, 2627);
    f.cn.errors().Clear();
    EXPECT_EQ(f.cn.errors().Count(), 0);
}

TEST(EmbeddedConnection, RunsATransactionBatchAndItsSeparateCommitOrRollback)
{
    // The batch a saved line sends: BEGIN, statements joined by carriage
    // returns; COMMIT or ROLLBACK follows as a statement of its own.
    const QString batch = QStringLiteral(
        "BEGIN TRANSACTION \r\r\r INSERT INTO ta_usuarios (nombre, UNegocio) Values('juan','   1')\r"
        " INSERT INTO ta_usuarios (nombre, UNegocio) Values('%1','   1')\r");
    {
        EmbeddedFixture f(QString::fromUtf8(kKeys));
        long affected = 0;
        f.cn.Execute(batch.arg(QStringLiteral("pedro")), &affected);
        EXPECT_EQ(affected, 2);
        f.cn.Execute(QStringLiteral("COMMIT TRANSACTION"));
        EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 3);
    }
    {
        // The second row repeats a key: the batch stops there, the caller
        // reads the error and rolls the first row back.
        EmbeddedFixture f(QString::fromUtf8(kKeys));
        raised([&] { f.cn.Execute(batch.arg(QStringLiteral("ANA"))); });
        EXPECT_EQ(f.cn.errors().Item(0).NativeError, 2627);
        f.cn.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
        EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 1);
    }
}

TEST(EmbeddedConnection, NestsTransactionsAsSqlServerCountsThem)
{
    EmbeddedFixture f;
    f.cn.BeginTrans();
    f.cn.Execute(QStringLiteral("BEGIN TRANSACTION\rINSERT INTO ta_usuarios (nombre) VALUES ('a')\rCOMMIT TRANSACTION"));
    f.cn.RollbackTrans();
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 0) << "the inner commit commits nothing";

    const RuntimeError e = raised([&] { f.cn.Execute(QStringLiteral("ROLLBACK TRANSACTION")); });
    EXPECT_EQ(e.number(), db::failure::NoTransactionToRollBack);
    EXPECT_EQ(raised([&] { f.cn.CommitTrans(); }).number(), db::failure::NoTransaction);

    f.cn.BeginTrans();
    f.cn.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('b')"));
    f.cn.CommitTrans();
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 1);
}

// A savepoint undoes what followed it and leaves the transaction open at
// its level: the outer work stays and commits. Outside a transaction it is
// refused, as SQL Server refuses it, instead of opening one nobody counts.
TEST(EmbeddedConnection, ASavepointUndoesItsOwnPartOfTheTransaction)
{
    EmbeddedFixture f;
    const RuntimeError fuera = raised([&] { f.cn.Execute(QStringLiteral("SAVE TRANSACTION p")); });
    EXPECT_EQ(fuera.number(), db::failure::NoTransactionForSavepoint);

    f.cn.BeginTrans();
    f.cn.Execute(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('suya')"));
    f.cn.Execute(QStringLiteral("BEGIN TRANSACTION\rSAVE TRANSACTION p\rINSERT INTO ta_usuarios (nombre) VALUES ('mia')"));
    f.cn.Execute(QStringLiteral("ROLLBACK TRANSACTION p\rCOMMIT TRANSACTION"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 1) << "the outer row stays, the inner one is gone";
    f.cn.CommitTrans();
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios WHERE nombre = 'suya'")), 1);
    EXPECT_EQ(raised([&] { f.cn.CommitTrans(); }).number(), db::failure::NoTransaction) << "no level left over";
}

TEST(EmbeddedConnection, RunsTheStatementAfterIfExistsOnlyWhenTheConditionHolds)
{
    EmbeddedFixture f(QString::fromUtf8(kKeys));
    const QString guarded = QStringLiteral(
        "if exists(select * from ta_usuarios where nombre='%1' and NombreCompleto is null)  "
        "UPDATE ta_usuarios set NombreCompleto='Ana' where nombre='ana'");
    f.cn.Execute(guarded.arg(QStringLiteral("nadie")));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios WHERE NombreCompleto IS NULL")), 1);
    f.cn.Execute(guarded.arg(QStringLiteral("ANA")));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios WHERE NombreCompleto IS NULL")), 0);
}

TEST(EmbeddedConnection, RefusesWorkWhileClosed)
{
    db::Connection cn;
    EXPECT_EQ(raised([&] { cn.Execute(QStringLiteral("SELECT 1")); }).number(), db::failure::ObjectClosed);
    db::Recordset rs;
    EXPECT_EQ(raised([&] { rs.Open(QStringLiteral("SELECT 1"), cn); }).number(), db::failure::ConnectionUnusable);
    EXPECT_EQ(cn.errors().Count(), 0) << "not an error of the database";
}

TEST(EmbeddedConnection, ListsTablesAndColumns)
{
    EmbeddedFixture f;
    auto tables = f.cn.OpenSchema(db::schema::Tables);
    QStringList names;
    for (; !tables->Eof(); tables->MoveNext())
        names << tables->value(QStringLiteral("TABLE_NAME")).toString();
    EXPECT_TRUE(names.contains(QStringLiteral("AUX_ERR")));
    EXPECT_TRUE(names.contains(QStringLiteral("TA_CONFIGURACION")));
    EXPECT_FALSE(names.contains(QStringLiteral("sqlite_sequence")));

    auto columns = f.cn.OpenSchema(db::schema::Columns, {f.path, QVariant(), QStringLiteral("ta_configuracion"), QVariant()});
    QStringList cols;
    for (; !columns->Eof(); columns->MoveNext()) {
        EXPECT_EQ(columns->value(QStringLiteral("TABLE_NAME")).toString(), QStringLiteral("TA_CONFIGURACION"));
        cols << columns->value(QStringLiteral("COLUMN_NAME")).toString();
    }
    EXPECT_EQ(cols, (QStringList{QStringLiteral("CLAVE"), QStringLiteral("VALOR")}));

    auto one = f.cn.OpenSchema(db::schema::Columns, {QVariant(), QVariant(), QStringLiteral("AUX_ERR"), QStringLiteral("sql")});
    EXPECT_EQ(one->RecordCount(), 1);
    EXPECT_EQ(one->value(QStringLiteral("DATA_TYPE")).toInt(), db::type::LongVarChar);
}
