#pragma once

#include <QString>

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

    static QString schemaSql();
    static QString demoSql();
};
