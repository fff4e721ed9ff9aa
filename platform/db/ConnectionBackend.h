#pragma once

#include "Errors.h"
#include "RowSet.h"
#include "SchemaLists.h"
#include "Types.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

namespace db {

// What a backend throws: the errors the database reported for one failing
// operation. The connection turns it into its errors collection and a
// RuntimeError.
struct BackendFailure {
    std::vector<Error> errors;
};

// A result read a row at a time as a forward-only recordset moves on, so the
// rows passed are never held on the client. A backend settles its cursors
// (reads their remaining rows onto the client and lets go of the statement)
// before anything writes through it: a walk never meets the changes made
// while it runs, as a result read whole at its opening would not.
class RowCursor {
public:
    virtual ~RowCursor() = default;
    virtual const std::vector<Column>& columns() const = 0;
    virtual bool atEnd() const = 0;
    // Throws BackendFailure.
    virtual void next() = 0;
    // A field of the current row, as its column's type reads it.
    virtual QVariant value(int column) = 0;
    // The same field as lang::text shows it.
    virtual QString text(int column);
    // The rows from the current one to the last (settles the cursor).
    virtual std::size_t remaining() = 0;
};

// One open database session behind a Connection: the embedded SQLite file
// or an ODBC data source. Statements reach it in its own dialect, one at a
// time; values are bound, never spliced into the text.
class ConnectionBackend {
public:
    virtual ~ConnectionBackend() = default;

    // The dialect of the server: Sqlite means the layer rewrites SQL Server
    // text before it reaches the backend.
    virtual Dialect dialect() const = 0;
    // The collation the rewrite gives string literals in comparisons.
    virtual QString literalCollation() const { return QStringLiteral("NOCASE"); }
    // The names of the database's views, in lower case, for the rewrite
    // (SqliteDialect).
    virtual QSet<QString> viewNames() { return {}; }

    // Runs one statement (a batch on a server that takes batches). Returns the
    // rows changed, -1 when the statement changes none.
    virtual long execute(const QString& sql, const std::vector<QVariant>& params = {}) = 0;
    // The rows of one statement; a statement without a result gives a row set
    // without columns.
    virtual std::unique_ptr<RowSet> query(const QString& sql, const std::vector<QVariant>& params = {}) = 0;
    // The rows of one read-only query, read as the cursor moves; null when
    // the backend reads every result whole, or the statement is no read-only
    // query with columns (the caller then takes `query`).
    virtual std::unique_ptr<RowCursor> openCursor(const QString& sql)
    {
        (void)sql;
        return nullptr;
    }

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    // The tables and views, and the columns of `table` (of every table when
    // it is empty); the connection restricts and shapes the lists.
    virtual std::vector<TableEntry> tables() = 0;
    virtual std::vector<ColumnEntry> columns(const QString& table) = 0;
    // Whether the server has more than one catalog to tell apart.
    virtual bool hasCatalogs() const { return false; }
    // The primary-key columns of a table, in key order; empty when it has none.
    virtual QStringList primaryKey(const QString& table) = 0;
    // The key the database gave the row inserted last (rowid, identity).
    virtual QVariant lastInsertId() = 0;

    // Called once the connection accepted the database (it holds what the
    // program needs): from here the backend may write its own settings.
    virtual void startWork() {}

    virtual void setCommandTimeout(int seconds) { (void)seconds; }
    virtual void setDefaultDatabase(const QString& name) { (void)name; }
};

}  // namespace db
