#pragma once

#include "Errors.h"
#include "Types.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class QSqlDatabase;

namespace db {

class Recordset;
class ConnectionBackend;
class RowCursor;
class RowSet;
struct BackendFailure;

// One connection to the database. Routes, chosen from the connection string:
//   - a server named "(sqlite)": the SQLite file that the database names (the
//     embedded database: demo, tests, a single station);
//   - "PROVIDER=SQLOLEDB;Server=...;Database =...;UId=...;Pwd=...": SQL Server
//     through ODBC (FreeTDS; driver name from $APP_SQLSERVER_ODBC_DRIVER);
//   - "Provider=OraOLEDB.Oracle.1;Data Source=...": Oracle through the ODBC
//     driver named by $APP_ORACLE_ODBC_DRIVER;
//   - "DRIVER=..." or "DSN=...": handed to ODBC as it stands.
// SQL always comes in SQL Server's dialect; on SQLite the layer rewrites it.
// Failures of the database raise RuntimeError and replace the errors
// collection; a call on a closed (or already open) connection raises alone.
// The collection keeps the database's own text and number; the RuntimeError
// carries the operator's explanation of the common ones (db::explanation).
class Connection {
public:
    Connection();
    virtual ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    virtual void Open(const QString& connectionString, const QString& user = {}, const QString& password = {},
                      int options = -1);
    virtual void Close();
    virtual int State() const;

    // The tables (or views) a database must hold to be opened at all. On
    // every route a database that lacks one of them (and on the embedded
    // route a file that is no database, or a damaged one) is refused in the
    // same words before anything in it changes: the name of a wrong database
    // must never turn it into one or alter another program's.
    void setRequiredTables(const QStringList& tables);

    // Run on every open, once the required tables showed the database to be
    // one of this system's and before anything else reaches it: brings a
    // database made by an earlier version of the program up to date, or
    // refuses it (throwing BackendFailure). It is given the open session and
    // the database's name as the messages give it.
    using SchemaUpgrade = std::function<void(ConnectionBackend& backend, const QString& name)>;
    void setSchemaUpgrade(SchemaUpgrade upgrade);

    // The string given to Open, as it was given.
    QString ConnectionString() const;
    int CursorLocation() const;
    void setCursorLocation(int location);
    int CommandTimeout() const;
    void setCommandTimeout(int seconds);
    QString DefaultDatabase() const;
    void setDefaultDatabase(const QString& name);

    // Runs a statement or a batch (statements joined by line ends, as SQL
    // Server takes them). recordsAffected receives the rows changed, -1 when
    // no statement changes rows.
    virtual void Execute(const QString& sql, long* recordsAffected = nullptr, int options = -1);
    // Transactions nest as SQL Server counts them: only the outermost pair
    // reaches the database; a COMMIT or ROLLBACK without one fails. Inside
    // one, Execute("SAVE TRANSACTION name") marks a savepoint and
    // Execute("ROLLBACK TRANSACTION name") undoes what followed it, leaving
    // the transaction open and its level as it was.
    virtual void BeginTrans();
    virtual void CommitTrans();
    virtual void RollbackTrans();

    Errors& errors();
    const Errors& errors() const;

    // Schema lists: schema::Tables (column TABLE_NAME) and schema::Columns
    // (columns TABLE_NAME, COLUMN_NAME), restricted by catalog, schema,
    // table, column where a restriction is given (an invalid QVariant means
    // "any").
    virtual std::unique_ptr<Recordset> OpenSchema(int schemaKind, const QVariantList& restrictions = {});

    Dialect dialect() const;

    // For the recordset and the layer's own tools.
    ConnectionBackend* backend() const;

protected:
    struct Private;
    std::unique_ptr<Private> d;

    // The rows a recordset opens on `source`, SQL in SQL Server's dialect
    // (rewritten where needed; the other statements of a batch run too).
    // Test doubles override it to record what the program reads.
    virtual std::unique_ptr<RowSet> openRows(const QString& source);
    // The rows of a forward-only, read-only recordset on `source`, read as it
    // moves on; null where they are read whole instead (openRows): on a
    // server route, and for anything but one read-only query.
    virtual std::unique_ptr<RowCursor> openCursor(const QString& source);
    // For test doubles that stand in for Open.
    void setConnectionString(const QString& text);

private:
    friend class Recordset;
    // One statement of the server's own dialect with bound values.
    long runBound(const QString& sql, const std::vector<QVariant>& values);
    std::unique_ptr<RowSet> queryBound(const QString& sql, const std::vector<QVariant>& values);
    QStringList primaryKeyOf(const QString& table);
    QVariant lastInsertId();
    // Runs a batch rewritten for SQLite: its transaction statements and
    // conditions here, every other statement through `runStatement`; the
    // first failure ends it.
    void runSqliteBatch(const QString& sql, const std::function<void(const QString&)>& runStatement);
    // Replaces the errors collection with `e` and raises it.
    [[noreturn]] void fail(const Error& e);
    // The same for what the backend reported.
    [[noreturn]] void fail(BackendFailure& failure);
};

}  // namespace db
