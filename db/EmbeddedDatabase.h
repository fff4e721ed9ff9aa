#pragma once

#include <QString>
#include <QStringList>

namespace db {
class ConnectionBackend;
}

// The embedded database file of the demo, the tests and a single station:
// the schema of every subsystem (schema.sql) and, when asked, its demo rows
// (demo.sql), both compiled into the program. The scripts are SQLite's own
// text and run as they stand, not through the SQL Server rewrite.
class EmbeddedDatabase {
public:
    // Creates the database file `path` from the schema, and the demo rows when
    // `withDemo`. An existing file is never overwritten. Fails with a
    // RuntimeError naming the statement SQLite refused; no half-built file is
    // left behind.
    static void create(const QString& path, bool withDemo);

    // Runs a script of SQLite statements on an existing database file, in one
    // transaction.
    static void execute(const QString& path, const QString& script);

    // The version of the schema this program builds, kept in the file's
    // user_version: a file made by an earlier version of the program has a
    // lower one (0 before the schema was numbered).
    static int schemaVersion();

    // Brings an embedded database made by an earlier version of the program
    // up to date: on a SQLite database whose version is behind, runs the
    // steps from its version to this program's in one transaction that holds
    // the file's write lock, so that stations opening it at the same moment
    // wait for the first one and find it done. Stored rows are carried over.
    // A file that cannot be brought up to date (read only for this station,
    // a step refused) is refused, naming it, and left as it was. Any other
    // database, and a file of this version or a later one, is left alone.
    // Throws db::BackendFailure.
    static void bringUpToDate(db::ConnectionBackend& backend, const QString& name);
    // The same with the steps given: step i (from 1) is the SQLite script
    // that takes a file of version i - 1 to version i.
    static void bringUpToDate(db::ConnectionBackend& backend, const QString& name, const QStringList& steps);

    static QString schemaSql();
    static QString demoSql();
};
