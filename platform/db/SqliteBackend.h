#pragma once

#include "ConnectionBackend.h"

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class SqliteCursor;

// A read-only query prepared once and run again: its statement, and its
// columns as the statement declares them (expressions still untyped).
struct PreparedQuery {
    QString sql;
    sqlite3_stmt* statement = nullptr;
    std::vector<Column> columns;
    std::vector<bool> undeclared;
    // The statement's count of automatic re-preparations when its columns
    // were read: a change of the schema re-prepares it, and the columns are
    // read again.
    int reprepared = 0;
};

// The embedded database: a SQLite file opened through Qt's SQLite driver,
// worked on through its native handle (rows are read straight into a RowSet,
// or row by row through a cursor).
// The file is kept in WAL mode with full synchronisation, so a saved line
// survives a crash, and foreign keys are enforced as on the server.
class SqliteBackend : public ConnectionBackend {
public:
    // The collation the layer registers: SQL Server's comparison rule, case
    // and trailing blanks ignored.
    static constexpr const char* kCollation = "CI_RTRIM";

    // Opens an existing database file, reading only. A missing file, a
    // folder, a file this station cannot write or in a folder it cannot
    // write, and a file that is no SQLite database or a damaged one fail,
    // and the file is left exactly as it was (a database that is not there is
    // not created empty, a wrong file is not turned into one).
    static std::unique_ptr<SqliteBackend> open(const QString& path);
    // The refusals that need only the file's entry in its folder: nothing
    // there, a folder, an empty file, a file this station cannot write or
    // in a folder it cannot write. The file itself is not opened: POSIX
    // locks belong to the process, and closing any descriptor of the file
    // drops every lock the process holds on it, those of a connection already
    // open on it too (the ODBC driver's, another of this program's). Another
    // station then takes the file for unused and resets its write-ahead log
    // under this one, and what this one saves is lost.
    static void checkFile(const QString& path);
    // Refuses a file that `backend`, open on it, cannot read as a database
    // (another program's file, a damaged or cut one) as a wrong file, by a
    // read of its schema that writes nothing: here rather than at the first
    // query, before anything is written to it.
    static void checkReadable(ConnectionBackend& backend, const QString& path);
    ~SqliteBackend() override;
    // The file's own settings (write-ahead log, full synchronisation,
    // foreign keys), written once the connection accepted the database.
    void startWork() override;

    Dialect dialect() const override { return Dialect::Sqlite; }
    QString literalCollation() const override { return QString::fromLatin1(kCollation); }
    // Read once: the program makes no view while it runs.
    QSet<QString> viewNames() override;

    long execute(const QString& sql, const std::vector<QVariant>& params = {}) override;
    std::unique_ptr<RowSet> query(const QString& sql, const std::vector<QVariant>& params = {}) override;
    std::unique_ptr<RowCursor> openCursor(const QString& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    std::vector<TableEntry> tables() override;
    std::vector<ColumnEntry> columns(const QString& table) override;
    QStringList primaryKey(const QString& table) override;
    QVariant lastInsertId() override;
    void setCommandTimeout(int seconds) override;

    sqlite3* handle() const { return m_db; }

    // Registers the layer's collation on a handle (also for tools that open
    // the file themselves).
    static void registerCollation(sqlite3* db);

private:
    friend class SqliteCursor;
    explicit SqliteBackend(sqlite3* db);
    BackendFailure failure() const;
    [[noreturn]] void fail() const;
    sqlite3_stmt* prepare(const QString& sql, const std::vector<QVariant>& params);
    // Reads the rest of every open cursor onto the client, before a write.
    void settleCursors();
    // A finished cursor's query, kept for its next run.
    void keep(PreparedQuery&& query);

    sqlite3* m_db;
    std::optional<QSet<QString>> m_views;
    std::vector<SqliteCursor*> m_cursors;
    // The queries finished last, the latest at the end: a program reads the
    // same few statements again and again (a page, a lookup by key), and
    // their preparation costs as much as their reading.
    std::vector<PreparedQuery> m_prepared;
    // The length of the kept queries' texts together.
    qsizetype m_keptText = 0;
};

}  // namespace db
