#include "EmbeddedDatabase.h"

#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/ConnectionBackend.h"
#include "platform/db/NativeErrors.h"
#include "platform/db/SqliteBackend.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <vector>

static void initEmbeddedResources()
{
    Q_INIT_RESOURCE(embedded_sql);
}

namespace {

QString resourceText(const QString& name)
{
    initEmbeddedResources();
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(errnum::ProviderFailure, QStringLiteral("Falta el recurso %1 del programa.").arg(name));
    return QString::fromUtf8(f.readAll());
}

struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close(db); }
};

RuntimeError failure(sqlite3* db, const QString& what)
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const db::Error e = db::sqliteError(sqlite3_extended_errcode(db), message);
    return RuntimeError(static_cast<int>(e.Number), QStringLiteral("%1: %2").arg(what, message),
                        QStringLiteral("EmbeddedDatabase"));
}

// Runs the statements one by one, so that a refused one can be named.
void runStatements(sqlite3* db, const QString& script, const QString& what)
{
    const QByteArray utf8 = script.toUtf8();
    const char* next = utf8.constData();
    while (*next) {
        const char* start = next;
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, start, -1, &st, &next);
        if (rc == SQLITE_OK && st) {
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            }
            if (rc == SQLITE_DONE)
                rc = SQLITE_OK;
        }
        if (rc != SQLITE_OK) {
            const QString statement = QString::fromUtf8(start, next > start ? next - start : -1).simplified().left(160);
            const RuntimeError e = failure(db, QStringLiteral("%1, en \"%2\"").arg(what, statement));
            sqlite3_finalize(st);
            throw e;
        }
        sqlite3_finalize(st);
    }
}

// The same in one transaction.
void runScript(sqlite3* db, const QString& script, const QString& what)
{
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw failure(db, what);
    try {
        runStatements(db, script, what);
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw failure(db, what);
}

// The scripts that bring a file of an earlier version up to date, in order:
// the i-th (from 1) makes version i, and schema.sql makes the last version.
const std::vector<const char*> kUpgradeSteps = {
    // The lines without position and the balances by position kept as the
    // movements are written, instead of summed from them on every read.
    "upgrade-kept-balances.sql",
    // The toolkit's stock balances kept from the movements; the rows of the
    // earlier tables become opening balances.
    "upgrade-toolkit-stock.sql",
};

QStringList upgradeSteps()
{
    QStringList steps;
    for (const char* name : kUpgradeSteps)
        steps << resourceText(QStringLiteral(":/db/%1").arg(QLatin1String(name)));
    return steps;
}

int intOf(db::ConnectionBackend& backend, const QString& sql)
{
    const std::unique_ptr<db::RowSet> rows = backend.query(sql);
    return rows->rowCount() > 0 ? lang::text(rows->value(0, 0)).toInt() : 0;
}

// The file behind the session's main database; empty for one in memory.
QString mainFile(db::ConnectionBackend& backend)
{
    const std::unique_ptr<db::RowSet> rows = backend.query(QStringLiteral("PRAGMA database_list"));
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        if (lang::text(rows->value(r, 1)) == QLatin1String("main"))
            return lang::text(rows->value(r, 2));
    return {};
}

int userVersion(sqlite3* db)
{
    sqlite3_stmt* st = nullptr;
    int version = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        version = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return version;
}

[[noreturn]] void refuseUpgrade(const QString& name, const QString& why)
{
    throw db::BackendFailure{{db::refusedDatabase(
        name, QStringLiteral("fue creada por una versión anterior del programa y no se pudo poner al día (%1). No se "
                             "modificó.")
                  .arg(why))}};
}

}  // namespace

int EmbeddedDatabase::schemaVersion()
{
    return static_cast<int>(kUpgradeSteps.size());
}

void EmbeddedDatabase::bringUpToDate(db::ConnectionBackend& backend, const QString& name)
{
    bringUpToDate(backend, name, upgradeSteps());
}

void EmbeddedDatabase::bringUpToDate(db::ConnectionBackend& backend, const QString& name, const QStringList& steps)
{
    const int target = static_cast<int>(steps.size());
    if (backend.dialect() != db::Dialect::Sqlite || intOf(backend, QStringLiteral("PRAGMA user_version")) >= target)
        return;
    const QString path = mainFile(backend);
    if (path.isEmpty())
        refuseUpgrade(name, QStringLiteral("no es un archivo"));
    // A handle of its own: the session's statements stay as they are, and
    // the steps run as SQLite's own text.
    Handle h;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        refuseUpgrade(name, QString::fromUtf8(sqlite3_errmsg(h.db)));
    sqlite3_extended_result_codes(h.db, 1);
    // Another station may be bringing it up to date at this moment: it is
    // waited for, however long its steps take.
    sqlite3_busy_timeout(h.db, 10 * 60 * 1000);
    db::SqliteBackend::registerCollation(h.db);
    if (sqlite3_exec(h.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(h.db);
        refuseUpgrade(name, code == SQLITE_READONLY
                                ? QStringLiteral("el archivo o su carpeta son de solo lectura para este puesto")
                                : QString::fromUtf8(sqlite3_errmsg(h.db)));
    }
    try {
        for (int version = userVersion(h.db); version < target; ++version)
            runStatements(h.db, steps.at(version), QStringLiteral("el paso %1").arg(version + 1));
        runStatements(h.db, QStringLiteral("PRAGMA user_version = %1;").arg(target), QStringLiteral("la versión"));
        if (sqlite3_exec(h.db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw failure(h.db, QStringLiteral("la versión"));
    } catch (const RuntimeError& e) {
        sqlite3_exec(h.db, "ROLLBACK", nullptr, nullptr, nullptr);
        refuseUpgrade(name, e.description());
    }
}

QString EmbeddedDatabase::schemaSql()
{
    return resourceText(QStringLiteral(":/db/schema.sql"));
}

QString EmbeddedDatabase::demoSql()
{
    return resourceText(QStringLiteral(":/db/demo.sql"));
}

void EmbeddedDatabase::create(const QString& path, bool withDemo)
{
    if (QFileInfo::exists(path))
        throw RuntimeError(errnum::ProviderFailure,
                           QStringLiteral("El archivo %1 ya existe: no se crea una base de datos sobre él.").arg(path),
                           QStringLiteral("EmbeddedDatabase"));
    const QString schema = schemaSql();
    const QString demo = withDemo ? demoSql() : QString();
    try {
        Handle h;
        if (sqlite3_open_v2(path.toUtf8().constData(), &h.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            throw failure(h.db, QStringLiteral("No se puede crear %1").arg(path));
        if (sqlite3_exec(h.db, "PRAGMA journal_mode=WAL;", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw failure(h.db, path);
        runScript(h.db, schema + QStringLiteral("\nPRAGMA user_version = %1;\n").arg(schemaVersion()),
                  QStringLiteral("El esquema de la base de datos"));
        if (withDemo)
            runScript(h.db, demo, QStringLiteral("Los datos de demostración"));
    } catch (...) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(path + QLatin1String(suffix));
        throw;
    }
}

void EmbeddedDatabase::execute(const QString& path, const QString& script)
{
    if (!QFileInfo(path).isFile())
        throw RuntimeError(db::failure::OpenDatabaseFailed, QStringLiteral("No existe la base de datos %1.").arg(path),
                           QStringLiteral("EmbeddedDatabase"));
    Handle h;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw failure(h.db, QStringLiteral("No se puede abrir %1").arg(path));
    sqlite3_busy_timeout(h.db, 5000);
    db::SqliteBackend::registerCollation(h.db);
    runScript(h.db, script, QStringLiteral("El script"));
}
