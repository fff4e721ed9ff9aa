#include "SqliteBackend.h"

#include "Literals.h"
#include "NativeErrors.h"
#include "platform/Value.h"

#include <QFileInfo>
#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace db {

namespace {

int compareIgnoringCaseAndTrailingBlanks(void*, int n1, const void* p1, int n2, const void* p2)
{
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    while (n1 > 0 && a[n1 - 1] == ' ')
        --n1;
    while (n2 > 0 && b[n2 - 1] == ' ')
        --n2;
    const int common = n1 < n2 ? n1 : n2;
    for (int i = 0; i < common; ++i) {
        unsigned char ca = a[i];
        unsigned char cb = b[i];
        if (ca >= 0x80 || cb >= 0x80) {
            const QString sa = QString::fromUtf8(reinterpret_cast<const char*>(a + i), n1 - i);
            const QString sb = QString::fromUtf8(reinterpret_cast<const char*>(b + i), n2 - i);
            const int c = sa.compare(sb, Qt::CaseInsensitive);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca + 32);
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb + 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
}

struct Statement {
    sqlite3_stmt* s = nullptr;
    ~Statement() { sqlite3_finalize(s); }
};

void bind(sqlite3_stmt* s, int index, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(s, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool: sqlite3_bind_int(s, index, v.toBool() ? 1 : 0); return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong: sqlite3_bind_int64(s, index, v.toLongLong()); return;
    case QMetaType::Double:
    case QMetaType::Float: sqlite3_bind_double(s, index, v.toDouble()); return;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(s, index, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDateTime: {
        const QByteArray t = dateTimeText(v.toDateTime()).toUtf8();
        sqlite3_bind_text(s, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDate: {
        const QByteArray t = dateTimeText(QDateTime(v.toDate(), QTime(0, 0))).toUtf8();
        sqlite3_bind_text(s, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QString t = v.toString();
        sqlite3_bind_text16(s, index, t.utf16(), static_cast<int>(t.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    }
}

// The columns of a prepared statement, named and typed from their declared
// types; `undeclared` marks the expressions, typed later from their values.
std::vector<Column> describeColumns(sqlite3_stmt* st, std::vector<bool>& undeclared)
{
    const int count = sqlite3_column_count(st);
    std::vector<Column> columns(static_cast<std::size_t>(count));
    undeclared.assign(static_cast<std::size_t>(count), false);
    for (int c = 0; c < count; ++c) {
        Column& col = columns[static_cast<std::size_t>(c)];
        col.name = QString::fromUtf16(static_cast<const char16_t*>(sqlite3_column_name16(st, c)));
        if (const char* decl = sqlite3_column_decltype(st, c)) {
            const DeclaredType t = typeFromDeclaration(QString::fromUtf8(decl));
            col.type = t.type;
            col.definedSize = t.size;
        } else {
            undeclared[static_cast<std::size_t>(c)] = true;
        }
    }
    return columns;
}

void appendRow(sqlite3_stmt* st, int count, RowSet& rows)
{
    for (int c = 0; c < count; ++c) {
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER: rows.addInteger(sqlite3_column_int64(st, c)); break;
        case SQLITE_FLOAT: rows.addReal(sqlite3_column_double(st, c)); break;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            rows.addText(text, static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
            break;
        }
        case SQLITE_BLOB: {
            const void* blob = sqlite3_column_blob(st, c);
            rows.addBlob(blob, static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
            break;
        }
        default: rows.addNull(); break;
        }
    }
}

// How long a statement waits for another station's write lock before it
// fails: the operator is then asked whether to wait more, rather than the
// station freezing for as long as a server would let a query run.
constexpr int kBusyWaitMs = 5000;

}  // namespace

// A query's statement kept open and stepped as the recordset moves on. Once
// settled (by the backend before a write, or to count the rows) it serves the
// rest of its rows from the client.
class SqliteCursor : public RowCursor {
public:
    SqliteCursor(SqliteBackend& backend, PreparedQuery&& query)
        : m_backend(&backend), m_query(std::move(query)), m_st(m_query.statement), m_columns(m_query.columns)
    {
        backend.m_cursors.push_back(this);
    }
    ~SqliteCursor() override { finish(); }

    // Steps onto the first row and types the expressions from it; one whose
    // first value is Null is typed from the first value it has in any row.
    void start()
    {
        const int rc = sqlite3_step(m_st);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            failed();
        const int reprepared = sqlite3_stmt_status(m_st, SQLITE_STMTSTATUS_REPREPARE, 0);
        if (reprepared != m_query.reprepared) {
            m_query.columns = describeColumns(m_st, m_query.undeclared);
            m_query.reprepared = reprepared;
            m_columns = m_query.columns;
        }
        if (rc == SQLITE_DONE)
            finish();
        const std::vector<bool>& undeclared = m_query.undeclared;
        bool readAll = false;
        for (std::size_t c = 0; c < undeclared.size(); ++c) {
            if (!undeclared[c])
                continue;
            Column& col = m_columns[c];
            col.type = type::VarChar;
            const int column = static_cast<int>(c);
            switch (m_st ? sqlite3_column_type(m_st, column) : SQLITE_TEXT) {
            case SQLITE_NULL: readAll = true; break;
            case SQLITE_INTEGER:
                CellReader::typeFromValue(col, CellStorage::Integer,
                                          static_cast<std::uint64_t>(sqlite3_column_int64(m_st, column)));
                break;
            case SQLITE_FLOAT: CellReader::typeFromValue(col, CellStorage::Real, 0); break;
            case SQLITE_BLOB: CellReader::typeFromValue(col, CellStorage::Blob, 0); break;
            default: break;
            }
        }
        if (readAll) {
            const std::vector<bool> untyped = undeclared;
            settle();
            m_held->typeUndeclaredColumns(untyped);
            m_columns = m_held->columns;
        }
    }

    const std::vector<Column>& columns() const override { return m_columns; }
    bool atEnd() const override { return m_held ? m_heldRow >= m_held->rowCount() : !m_st; }

    void next() override
    {
        if (m_held)
            ++m_heldRow;
        else
            step();
    }

    QVariant value(int c) override
    {
        if (m_held)
            return m_held->value(m_heldRow, c);
        const int t = m_columns[static_cast<std::size_t>(c)].type;
        switch (sqlite3_column_type(m_st, c)) {
        case SQLITE_INTEGER:
            return m_reader.read(c, t, CellStorage::Integer, static_cast<std::uint64_t>(sqlite3_column_int64(m_st, c)), 0);
        case SQLITE_FLOAT: {
            const double d = sqlite3_column_double(m_st, c);
            std::uint64_t bits;
            std::memcpy(&bits, &d, sizeof bits);
            return m_reader.read(c, t, CellStorage::Real, bits, 0);
        }
        case SQLITE_TEXT: {
            const auto* text = sqlite3_column_text(m_st, c);
            const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(m_st, c));
            return m_reader.read(c, t, CellStorage::Text, reinterpret_cast<std::uintptr_t>(text), length);
        }
        case SQLITE_BLOB: {
            const void* blob = sqlite3_column_blob(m_st, c);
            const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(m_st, c));
            return m_reader.read(c, t, CellStorage::Blob, reinterpret_cast<std::uintptr_t>(blob ? blob : ""), length);
        }
        default:
            return lang::null();
        }
    }

    QString text(int c) override
    {
        if (m_held)
            return m_held->text(m_heldRow, c);
        const int t = m_columns[static_cast<std::size_t>(c)].type;
        switch (sqlite3_column_type(m_st, c)) {
        case SQLITE_INTEGER:
            return m_reader.text(c, t, CellStorage::Integer, static_cast<std::uint64_t>(sqlite3_column_int64(m_st, c)), 0);
        case SQLITE_TEXT: {
            const auto* text = sqlite3_column_text(m_st, c);
            const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(m_st, c));
            return m_reader.text(c, t, CellStorage::Text, reinterpret_cast<std::uintptr_t>(text), length);
        }
        default:
            return lang::text(value(c));
        }
    }

    std::size_t remaining() override
    {
        settle();
        return m_held->rowCount() - m_heldRow;
    }

    // Reads the current row and the rest onto the client and lets the
    // statement go.
    void settle()
    {
        if (m_held)
            return;
        auto rows = std::make_unique<RowSet>();
        rows->columns = m_columns;
        if (m_st) {
            const int count = static_cast<int>(m_columns.size());
            int rc = SQLITE_ROW;
            for (; rc == SQLITE_ROW; rc = sqlite3_step(m_st))
                appendRow(m_st, count, *rows);
            if (rc != SQLITE_DONE)
                failed();
        }
        finish();
        m_held = std::move(rows);
        m_heldRow = 0;
    }

private:
    void step()
    {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_DONE)
            finish();
        else if (rc != SQLITE_ROW)
            failed();
    }

    [[noreturn]] void failed()
    {
        BackendFailure f = m_backend->failure();
        // A statement that failed is not run again.
        sqlite3_finalize(m_st);
        m_st = nullptr;
        finish();
        throw f;
    }

    // Ends the statement's run, and with it the read it holds open on the
    // file; the backend keeps the statement for the next run.
    void finish()
    {
        if (m_backend) {
            auto& list = m_backend->m_cursors;
            list.erase(std::remove(list.begin(), list.end(), this), list.end());
            if (m_st) {
                sqlite3_reset(m_st);
                m_backend->keep(std::move(m_query));
            }
            m_backend = nullptr;
        } else if (m_st) {
            sqlite3_finalize(m_st);
        }
        m_st = nullptr;
    }

    SqliteBackend* m_backend;
    PreparedQuery m_query;
    sqlite3_stmt* m_st;
    std::vector<Column> m_columns;
    CellReader m_reader;
    std::unique_ptr<RowSet> m_held;
    std::size_t m_heldRow = 0;
};

void SqliteBackend::registerCollation(sqlite3* db)
{
    sqlite3_create_collation_v2(db, kCollation, SQLITE_UTF8, nullptr, compareIgnoringCaseAndTrailingBlanks, nullptr);
}

void SqliteBackend::checkFile(const QString& path)
{
    const QFileInfo file(path);
    if (path.trimmed().isEmpty() || !file.exists())
        throw BackendFailure{{missingDatabaseFile(path)}};
    if (file.isDir())
        throw BackendFailure{{refusedDatabase(path, QStringLiteral("es una carpeta; indique el archivo de la base de datos."))}};
    // SQLite takes an empty file for an empty database, and would make one
    // of it on the first write.
    if (file.size() == 0)
        throw BackendFailure{{wrongDatabaseFile(path)}};
    // Refused at the opening rather than at the first line saved: nothing
    // could be saved, and in a folder it cannot write SQLite cannot even read
    // a file kept with its write-ahead log unless another station happens to
    // have it open.
    if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
        throw BackendFailure{{readOnlyDatabaseFile(path)}};
}

void SqliteBackend::checkReadable(ConnectionBackend& backend, const QString& path)
{
    try {
        backend.query(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    } catch (const BackendFailure& f) {
        if (f.errors.front().NativeError == serverError::NotADatabase)
            throw BackendFailure{{wrongDatabaseFile(path)}};
        throw;
    }
}

std::unique_ptr<SqliteBackend> SqliteBackend::open(const QString& path)
{
    checkFile(path);
    // Straight through SQLite, in the mode Qt's driver would open it (read
    // and write, no mutex per call): loading the driver's plugin cost the
    // program's start-up more than the open itself.
    sqlite3* handle = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &handle,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (opened != SQLITE_OK) {
        const QString message =
            handle ? QString::fromUtf16(static_cast<const char16_t*>(sqlite3_errmsg16(handle))) : QString::fromUtf8(sqlite3_errstr(opened));
        sqlite3_close(handle);
        throw BackendFailure{{sqliteError(opened, QCoreApplication::translate("QSQLiteDriver", "Error opening database") +
                                                      QStringLiteral(": ") + message)}};
    }
    std::unique_ptr<SqliteBackend> backend(new SqliteBackend(handle));
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, kBusyWaitMs);
    registerCollation(handle);
    checkReadable(*backend, path);
    return backend;
}

QSet<QString> SqliteBackend::viewNames()
{
    if (!m_views) {
        QSet<QString> views;
        Statement st;
        if (sqlite3_prepare_v2(m_db, "SELECT lower(name) FROM sqlite_master WHERE type = 'view'", -1, &st.s, nullptr) ==
            SQLITE_OK)
            while (sqlite3_step(st.s) == SQLITE_ROW)
                views.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 0))));
        m_views = std::move(views);
    }
    return *m_views;
}

void SqliteBackend::startWork()
{
    // A saved line survives a crash, and foreign keys hold as on the server.
    // A sort larger than the page cache (a page of the lines in text order)
    // is kept in memory rather than spilled to temporary files on disk.
    if (sqlite3_exec(m_db,
                     "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON; "
                     "PRAGMA temp_store=MEMORY;",
                     nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

SqliteBackend::SqliteBackend(sqlite3* db) : m_db(db) {}

SqliteBackend::~SqliteBackend()
{
    // A recordset still open keeps its rows; the statement cannot outlive
    // the handle.
    for (SqliteCursor* c : std::vector<SqliteCursor*>(m_cursors)) {
        try {
            c->settle();
        } catch (const BackendFailure&) {
        }
    }
    for (const PreparedQuery& q : m_prepared)
        sqlite3_finalize(q.statement);
    sqlite3_close_v2(m_db);
}

BackendFailure SqliteBackend::failure() const
{
    const int code = sqlite3_extended_errcode(m_db);
    const QString message = QString::fromUtf16(static_cast<const char16_t*>(sqlite3_errmsg16(m_db)));
    return BackendFailure{{sqliteError(code, message)}};
}

void SqliteBackend::fail() const
{
    throw failure();
}

void SqliteBackend::keep(PreparedQuery&& query)
{
    // Enough for the statements one dialog sends on a load (a position
    // dialog sends some twenty, one of them thousands of codes long): kept
    // least-recently-used, a load that sent one statement more than are kept
    // would find none of them on its next run. What the kept statements
    // hold grows with their text, which bounds them too.
    constexpr std::size_t kKept = 64;
    constexpr qsizetype kKeptText = 4 << 20;
    m_keptText += query.sql.size();
    m_prepared.push_back(std::move(query));
    while (m_prepared.size() > 1 && (m_prepared.size() > kKept || m_keptText > kKeptText)) {
        m_keptText -= m_prepared.front().sql.size();
        sqlite3_finalize(m_prepared.front().statement);
        m_prepared.erase(m_prepared.begin());
    }
}

void SqliteBackend::settleCursors()
{
    for (SqliteCursor* c : std::vector<SqliteCursor*>(m_cursors))
        c->settle();
}

sqlite3_stmt* SqliteBackend::prepare(const QString& sql, const std::vector<QVariant>& params)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare16_v2(m_db, sql.utf16(), static_cast<int>(sql.size() * 2), &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        fail();
    }
    for (std::size_t i = 0; s && i < params.size(); ++i)
        bind(s, static_cast<int>(i + 1), params[i]);
    return s;
}

long SqliteBackend::execute(const QString& sql, const std::vector<QVariant>& params)
{
    settleCursors();
    Statement st{prepare(sql, params)};
    if (!st.s)
        return -1;
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail();
    return sqlite3_stmt_readonly(st.s) ? -1 : sqlite3_changes(m_db);
}

std::unique_ptr<RowSet> SqliteBackend::query(const QString& sql, const std::vector<QVariant>& params)
{
    auto rows = std::make_unique<RowSet>();
    Statement st{prepare(sql, params)};
    if (!st.s)
        return rows;
    if (!sqlite3_stmt_readonly(st.s))
        settleCursors();
    std::vector<bool> undeclared;
    rows->columns = describeColumns(st.s, undeclared);
    const int count = rows->columnCount();
    for (int c = 0; c < count; ++c) {
        const char* table = sqlite3_column_table_name(st.s, c);
        const char* origin = sqlite3_column_origin_name(st.s, c);
        int primaryKey = 0;
        int autoinc = 0;
        const char* type = nullptr;
        if (table && origin &&
            sqlite3_table_column_metadata(m_db, sqlite3_column_database_name(st.s, c), table, origin, &type, nullptr,
                                          nullptr, &primaryKey, &autoinc) == SQLITE_OK)
            rows->columns[static_cast<std::size_t>(c)].autoIncrement =
                primaryKey && type && sqlite3_stricmp(type, "INTEGER") == 0;
    }
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW)
        appendRow(st.s, count, *rows);
    if (rc != SQLITE_DONE)
        fail();
    rows->typeUndeclaredColumns(undeclared);
    return rows;
}

std::unique_ptr<RowCursor> SqliteBackend::openCursor(const QString& sql)
{
    PreparedQuery query;
    const auto kept = std::find_if(m_prepared.begin(), m_prepared.end(),
                                   [&](const PreparedQuery& q) { return q.sql == sql; });
    if (kept != m_prepared.end()) {
        m_keptText -= kept->sql.size();
        query = std::move(*kept);
        m_prepared.erase(kept);
    } else {
        sqlite3_stmt* s = prepare(sql, {});
        if (!s)
            return nullptr;
        if (!sqlite3_stmt_readonly(s) || sqlite3_column_count(s) == 0) {
            sqlite3_finalize(s);
            return nullptr;
        }
        query.sql = sql;
        query.statement = s;
        query.columns = describeColumns(s, query.undeclared);
        query.reprepared = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 0);
    }
    auto cursor = std::make_unique<SqliteCursor>(*this, std::move(query));
    cursor->start();
    return cursor;
}

void SqliteBackend::begin()
{
    settleCursors();
    // Takes the write lock at once: a batch never fails half-way for a lock.
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

void SqliteBackend::commit()
{
    settleCursors();
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

void SqliteBackend::rollback()
{
    settleCursors();
    // SQLite may already have ended the transaction itself (a full disk, an
    // interrupted statement); nothing is left to undo then.
    if (sqlite3_get_autocommit(m_db))
        return;
    if (sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

std::vector<TableEntry> SqliteBackend::tables()
{
    auto rows = query(QStringLiteral("SELECT name, upper(type) FROM sqlite_master WHERE type IN ('table','view') "
                                     "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    std::vector<TableEntry> out;
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        out.push_back({lang::null(), lang::null(), rows->value(r, 0).toString(), rows->value(r, 1).toString()});
    return out;
}

std::vector<ColumnEntry> SqliteBackend::columns(const QString& table)
{
    auto rows = query(QStringLiteral(
        "SELECT m.name, p.name, p.cid + 1, p.type, p.\"notnull\", p.dflt_value FROM sqlite_master m, "
        "pragma_table_info(m.name) p WHERE m.type IN ('table','view') AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "AND (? = '' OR m.name = ? COLLATE NOCASE) ORDER BY m.name, p.cid"), {table.trimmed(), table.trimmed()});
    std::vector<ColumnEntry> out;
    for (std::size_t r = 0; r < rows->rowCount(); ++r) {
        const DeclaredType t = typeFromDeclaration(rows->value(r, 3).toString());
        out.push_back({lang::null(), lang::null(), rows->value(r, 0).toString(), rows->value(r, 1).toString(),
                       rows->value(r, 2).toInt(), rows->stored(r, 5), rows->value(r, 4).toLongLong() == 0, t.type, t.size});
    }
    return out;
}

QStringList SqliteBackend::primaryKey(const QString& table)
{
    auto rows = query(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"), {table});
    QStringList key;
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        key << rows->value(r, 0).toString();
    return key;
}

QVariant SqliteBackend::lastInsertId()
{
    return QVariant(static_cast<qlonglong>(sqlite3_last_insert_rowid(m_db)));
}

void SqliteBackend::setCommandTimeout(int)
{
    // The command time-out bounds a query on a server. Here the only wait is
    // for another station's lock, which stays short (kBusyWaitMs).
}

}  // namespace db
