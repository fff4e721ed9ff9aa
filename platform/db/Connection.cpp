#include "Connection.h"

#include "ConnectionBackend.h"
#include "ConnectionString.h"
#include "NativeErrors.h"
#include "OdbcBackend.h"
#include "Recordset.h"
#include "SqliteBackend.h"
#include "SqliteDialect.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace db {

struct Connection::Private {
    Errors errors;
    QString connectionString;
    int cursorLocation = location::UseServer;
    int commandTimeout = 30;
    QString defaultDatabase;
    std::unique_ptr<ConnectionBackend> backend;
    // SQL Server counts nested BEGIN TRANSACTION; only the outermost pair
    // reaches SQLite, which has no nesting.
    int transactionLevel = 0;
    // The SQLite form of each text carried over, by its SQL Server text: a
    // program sends the same statements again and again (a page, a lookup
    // by key), and the rewrite depends on nothing but the text.
    QHash<QString, std::vector<SqliteStatement>> sqliteForms;

    const std::vector<SqliteStatement>& sqliteForm(const QString& sql)
    {
        auto it = sqliteForms.constFind(sql);
        if (it != sqliteForms.constEnd())
            return *it;
        // Statements built with their values differ every time: the memory
        // stays bounded by forgetting them all now and then.
        if (sqliteForms.size() >= 512)
            sqliteForms.clear();
        return *sqliteForms.insert(sql, SqliteDialect(backend->literalCollation(), backend->viewNames()).translate(sql));
    }
    QStringList requiredTables;
    SchemaUpgrade schemaUpgrade;
};

namespace {

// An ODBC data source. Behind the SQLite driver the database is a file, and
// the file is judged as on the embedded route. The driver creates a database
// file it does not find: one that was not there is refused, and the empty
// file the driver left is taken away again.
std::unique_ptr<ConnectionBackend> openOdbc(const QString& odbc, const QString& driverSetting = {})
{
    const QString file = ConnectionString(odbc).value({QStringLiteral("Database")});
    const bool wasThere = file.isEmpty() || QFileInfo::exists(file);
    std::unique_ptr<OdbcBackend> backend = OdbcBackend::open(odbc, driverSetting);
    if (backend->dialect() == Dialect::Sqlite && !file.isEmpty()) {
        if (!wasThere) {
            backend.reset();
            if (QFileInfo(file).isFile() && QFileInfo(file).size() == 0)
                QFile::remove(file);
            throw BackendFailure{{missingDatabaseFile(file)}};
        }
        SqliteBackend::checkFile(file);
        SqliteBackend::checkReadable(*backend, file);
    }
    return backend;
}

std::unique_ptr<ConnectionBackend> openBackend(const ConnectionString& cs, const QString& text, const QString& user,
                                               const QString& password)
{
    switch (cs.route()) {
    case ConnectionString::Route::Embedded:
        return SqliteBackend::open(cs.embeddedPath());
    case ConnectionString::Route::SqlServer: {
        QString driver = qEnvironmentVariable("APP_SQLSERVER_ODBC_DRIVER");
        if (driver.trimmed().isEmpty())
            driver = QStringLiteral("FreeTDS");
        return openOdbc(cs.sqlServerOdbc(driver, user, password), QStringLiteral("APP_SQLSERVER_ODBC_DRIVER"));
    }
    case ConnectionString::Route::Oracle: {
        const QString driver = qEnvironmentVariable("APP_ORACLE_ODBC_DRIVER");
        if (driver.trimmed().isEmpty())
            throw BackendFailure{{layerError(
                errnum::ProviderFailure, QStringLiteral("IM002"),
                QStringLiteral("No hay un controlador ODBC de Oracle configurado: indique el nombre del controlador "
                               "instalado en la variable de entorno APP_ORACLE_ODBC_DRIVER."))}};
        return openOdbc(cs.oracleOdbc(driver, user, password), QStringLiteral("APP_ORACLE_ODBC_DRIVER"));
    }
    case ConnectionString::Route::Odbc: {
        QString odbc = text;
        if (!user.isEmpty())
            odbc += (odbc.endsWith(u';') ? QString() : QStringLiteral(";")) + QStringLiteral("UID=") + odbcValue(user) + u';';
        if (!password.isEmpty())
            odbc += (odbc.endsWith(u';') ? QString() : QStringLiteral(";")) + QStringLiteral("PWD=") + odbcValue(password) + u';';
        return openOdbc(odbc);
    }
    case ConnectionString::Route::Unknown:
        break;
    }
    throw BackendFailure{{layerError(errnum::ProviderFailure, QStringLiteral("IM002"),
                                     QStringLiteral("La cadena de conexión no indica un servidor, un proveedor ni un "
                                                    "controlador ODBC conocidos."))}};
}

// A few names of a list, and how many more there are.
QString listed(const QStringList& names)
{
    constexpr int kShown = 4;
    QString text = names.mid(0, kShown).join(QStringLiteral(", "));
    if (names.size() > kShown)
        text += QStringLiteral(" y %1 más").arg(names.size() - kShown);
    return text;
}

// A database that lacks any of the tables the program needs is refused before
// anything in it changes, on every route and in the same words: the name of
// a wrong database must never turn it into one or alter another program's.
// Each table is asked for no row and no column, which reads nothing and
// writes nothing, and spares the database spelling out each column of a
// view (most of the cost of opening).
void requireTables(ConnectionBackend& backend, const QStringList& required, const QString& name)
{
    QStringList missing;
    for (const QString& table : required) {
        try {
            backend.query(QStringLiteral("SELECT 1 FROM %1 WHERE 1 = 0").arg(table));
        } catch (const BackendFailure& f) {
            const Error& e = f.errors.front();
            if (e.NativeError == serverError::NotADatabase)
                throw BackendFailure{{wrongDatabaseFile(name)}};
            if (e.Number != 208 && e.SQLState != QLatin1String("42S02"))
                throw;
            missing << table;
        }
    }
    if (!missing.isEmpty())
        throw BackendFailure{{refusedDatabase(
            name, QStringLiteral("no es una base de datos de este sistema (le faltan %1). No se modificó.").arg(listed(missing)))}};
}

// A fault of the caller, not of the database: the errors collection keeps
// what the database last reported.
[[noreturn]] void closedConnection()
{
    throw RuntimeError(failure::ObjectClosed, QStringLiteral("La operación no está permitida: la conexión está cerrada."));
}

}  // namespace

Connection::Connection() : d(std::make_unique<Private>()) {}

Connection::~Connection()
{
    try {
        Close();
    } catch (...) {
    }
}

namespace {
// What is raised for an error: the operator reads the explanation where
// there is one; the errors collection keeps the database's own text.
RuntimeError raised(const Error& e)
{
    const QString text = explanation(e);
    return RuntimeError(static_cast<int>(e.Number), text.isEmpty() ? e.Description : text, e.Source);
}
}  // namespace

void Connection::fail(const Error& e)
{
    d->errors.Replace({e});
    throw raised(e);
}

namespace {
// What the database reports replaces the errors collection and is raised.
[[noreturn]] void raise(Errors& errors, BackendFailure& failure)
{
    const Error first = failure.errors.front();
    errors.Replace(std::move(failure.errors));
    throw raised(first);
}
}  // namespace

void Connection::fail(BackendFailure& failure)
{
    raise(d->errors, failure);
}

namespace {
// Runs a backend call; what the database reports replaces the errors
// collection and is raised.
template <class F>
auto guarded(Errors& errors, F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (BackendFailure& failure) {
        raise(errors, failure);
    }
}
}  // namespace

namespace {
// Every local date the layer builds asks the C library for the time zone;
// without TZ set, glibc reads the zone file again on each call, which costs
// more than reading the row. The same zone, named once, is read once.
void nameTheTimeZoneOnce()
{
    static const bool named = [] {
        if (!qEnvironmentVariableIsSet("TZ"))
            qputenv("TZ", ":/etc/localtime");
        return true;
    }();
    (void)named;
}
}  // namespace

void Connection::Open(const QString& connectionString, const QString& user, const QString& password, int)
{
    nameTheTimeZoneOnce();
    // A fault of the caller, not of the database: the errors collection keeps
    // what the database last reported.
    if (d->backend)
        throw RuntimeError(failure::ObjectOpen, QStringLiteral("La operación no está permitida: la conexión ya está abierta."));
    d->connectionString = connectionString;
    d->transactionLevel = 0;
    const db::ConnectionString cs(connectionString);
    std::unique_ptr<ConnectionBackend> backend = guarded(d->errors, [&] {
        std::unique_ptr<ConnectionBackend> b = openBackend(cs, connectionString, user, password);
        requireTables(*b, d->requiredTables, cs.databaseName());
        if (d->schemaUpgrade)
            d->schemaUpgrade(*b, cs.databaseName());
        b->startWork();
        return b;
    });
    d->backend = std::move(backend);
    d->backend->setCommandTimeout(d->commandTimeout);
}

void Connection::Close()
{
    if (!d->backend)
        return;
    if (d->transactionLevel > 0) {
        try {
            d->backend->rollback();
        } catch (const BackendFailure&) {
        }
    }
    d->transactionLevel = 0;
    d->backend.reset();
    d->sqliteForms.clear();
}

int Connection::State() const
{
    return d->backend ? state::Open : state::Closed;
}

void Connection::setRequiredTables(const QStringList& tables) { d->requiredTables = tables; }
void Connection::setSchemaUpgrade(SchemaUpgrade upgrade) { d->schemaUpgrade = std::move(upgrade); }
QString Connection::ConnectionString() const { return d->connectionString; }
void Connection::setConnectionString(const QString& text) { d->connectionString = text; }
int Connection::CursorLocation() const { return d->cursorLocation; }
void Connection::setCursorLocation(int l) { d->cursorLocation = l; }
int Connection::CommandTimeout() const { return d->commandTimeout; }

void Connection::setCommandTimeout(int s)
{
    d->commandTimeout = s;
    if (d->backend)
        d->backend->setCommandTimeout(s);
}

QString Connection::DefaultDatabase() const { return d->defaultDatabase; }

void Connection::setDefaultDatabase(const QString& n)
{
    if (d->backend)
        guarded(d->errors, [&] { d->backend->setDefaultDatabase(n); });
    d->defaultDatabase = n;
}

Errors& Connection::errors() { return d->errors; }
const Errors& Connection::errors() const { return d->errors; }

Dialect Connection::dialect() const
{
    if (d->backend)
        return d->backend->dialect();
    const db::ConnectionString cs(d->connectionString);
    if (cs.route() == ConnectionString::Route::Embedded)
        return Dialect::Sqlite;
    return cs.namesOracle() ? Dialect::Oracle : Dialect::SqlServer;
}

ConnectionBackend* Connection::backend() const { return d->backend.get(); }

void Connection::Execute(const QString& sql, long* recordsAffected, int)
{
    if (!d->backend)
        closedConnection();
    if (d->backend->dialect() != Dialect::Sqlite) {
        const long n = guarded(d->errors, [&] { return d->backend->execute(sql); });
        if (recordsAffected)
            *recordsAffected = n;
        return;
    }
    long total = -1;
    runSqliteBatch(sql, [&](const QString& statement) {
        const long n = guarded(d->errors, [&] { return d->backend->execute(statement); });
        if (n >= 0)
            total = (total < 0 ? 0 : total) + n;
    });
    if (recordsAffected)
        *recordsAffected = total;
}

void Connection::runSqliteBatch(const QString& sql, const std::function<void(const QString&)>& runStatement)
{
    // A row's INSERT carries its values and is seldom sent twice: it runs as
    // it is, without taking a place among the remembered forms.
    if (SqliteDialect::runsAsWritten(sql)) {
        runStatement(sql.trimmed());
        return;
    }
    // A copy: a statement of the batch may run another batch, whose text may
    // push this one out of the remembered forms.
    const std::vector<SqliteStatement> statements = d->sqliteForm(sql);
    bool skipNext = false;
    for (const SqliteStatement& s : statements) {
        if (skipNext) {
            skipNext = false;
            continue;
        }
        switch (s.kind) {
        case SqliteStatement::Kind::BeginTransaction: BeginTrans(); break;
        case SqliteStatement::Kind::CommitTransaction: CommitTrans(); break;
        case SqliteStatement::Kind::RollbackTransaction: RollbackTrans(); break;
        case SqliteStatement::Kind::Savepoint:
            // SQLite would open a transaction of its own that nothing here
            // counts; SQL Server refuses a savepoint outside a transaction.
            if (d->transactionLevel == 0)
                fail(layerError(failure::NoTransactionForSavepoint, QStringLiteral("25000"),
                                QStringLiteral("No se puede emitir SAVE TRANSACTION cuando no hay ninguna transacción "
                                               "activa.")));
            runStatement(s.text);
            break;
        case SqliteStatement::Kind::RollbackToSavepoint: runStatement(s.text); break;
        case SqliteStatement::Kind::Condition: {
            auto rows = guarded(d->errors, [&] { return d->backend->query(s.text); });
            skipNext = !(rows->rowCount() > 0 && rows->value(0, 0).toInt() == 1);
            break;
        }
        case SqliteStatement::Kind::Sql: runStatement(s.text); break;
        }
    }
}

std::unique_ptr<RowSet> Connection::openRows(const QString& source)
{
    if (!d->backend)
        throw RuntimeError(failure::ConnectionUnusable,
                           QStringLiteral("La conexión no se puede usar para esta operación: está cerrada o no es válida."));
    if (d->backend->dialect() != Dialect::Sqlite)
        return guarded(d->errors, [&] { return d->backend->query(source); });
    std::unique_ptr<RowSet> result;
    runSqliteBatch(source, [&](const QString& statement) {
        auto rows = guarded(d->errors, [&] { return d->backend->query(statement); });
        if (!result && rows->columnCount() > 0)
            result = std::move(rows);
    });
    return result ? std::move(result) : std::make_unique<RowSet>();
}

std::unique_ptr<RowCursor> Connection::openCursor(const QString& source)
{
    if (!d->backend || d->backend->dialect() != Dialect::Sqlite)
        return nullptr;
    const std::vector<SqliteStatement>& statements = d->sqliteForm(source);
    if (statements.size() != 1 || statements.front().kind != SqliteStatement::Kind::Sql)
        return nullptr;
    const QString text = statements.front().text;
    return guarded(d->errors, [&] { return d->backend->openCursor(text); });
}

long Connection::runBound(const QString& sql, const std::vector<QVariant>& values)
{
    return guarded(d->errors, [&] { return d->backend->execute(sql, values); });
}

std::unique_ptr<RowSet> Connection::queryBound(const QString& sql, const std::vector<QVariant>& values)
{
    return guarded(d->errors, [&] { return d->backend->query(sql, values); });
}

QStringList Connection::primaryKeyOf(const QString& table)
{
    return guarded(d->errors, [&] { return d->backend->primaryKey(table); });
}

QVariant Connection::lastInsertId()
{
    return guarded(d->errors, [&] { return d->backend->lastInsertId(); });
}

void Connection::BeginTrans()
{
    if (!d->backend)
        closedConnection();
    if (d->transactionLevel == 0)
        guarded(d->errors, [&] { d->backend->begin(); });
    ++d->transactionLevel;
}

void Connection::CommitTrans()
{
    if (!d->backend)
        closedConnection();
    if (d->transactionLevel == 0)
        fail(layerError(failure::NoTransaction, QStringLiteral("25000"),
                        QStringLiteral("La solicitud COMMIT TRANSACTION no tiene un BEGIN TRANSACTION correspondiente.")));
    if (d->transactionLevel == 1)
        guarded(d->errors, [&] { d->backend->commit(); });
    --d->transactionLevel;
}

void Connection::RollbackTrans()
{
    if (!d->backend)
        closedConnection();
    if (d->transactionLevel == 0)
        fail(layerError(failure::NoTransactionToRollBack, QStringLiteral("25000"),
                        QStringLiteral("La solicitud ROLLBACK TRANSACTION no tiene un BEGIN TRANSACTION correspondiente.")));
    d->transactionLevel = 0;
    guarded(d->errors, [&] { d->backend->rollback(); });
}

std::unique_ptr<Recordset> Connection::OpenSchema(int schemaKind, const QVariantList& restrictions)
{
    if (!d->backend)
        closedConnection();
    std::unique_ptr<RowSet> rows;
    const bool catalogs = d->backend->hasCatalogs();
    if (schemaKind == schema::Tables) {
        rows = tablesList(guarded(d->errors, [&] { return d->backend->tables(); }), restrictions, catalogs);
    } else if (schemaKind == schema::Columns) {
        const QString table = restrictions.size() > 2 && restrictions[2].isValid() ? restrictions[2].toString() : QString();
        rows = columnsList(guarded(d->errors, [&] { return d->backend->columns(table); }), restrictions, catalogs);
    } else
        fail(layerError(failure::NotUpdatable, QStringLiteral("HYC00"),
                        QStringLiteral("El esquema pedido (%1) no está disponible.").arg(schemaKind)));
    auto rs = std::make_unique<Recordset>();
    rs->adopt(std::move(rows), *this, QStringLiteral("OpenSchema(%1)").arg(schemaKind));
    return rs;
}

}  // namespace db
