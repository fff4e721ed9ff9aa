#include "EmbeddedDatabase.h"

#include "platform/RuntimeError.h"
#include "platform/db/NativeErrors.h"
#include "platform/db/SqliteBackend.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

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

// Runs the statements one by one in one transaction, so that a refused one
// can be named.
void runScript(sqlite3* db, const QString& script, const QString& what)
{
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw failure(db, what);
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
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw e;
        }
        sqlite3_finalize(st);
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw failure(db, what);
}

}  // namespace

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
        runScript(h.db, schema, QStringLiteral("El esquema de la base de datos"));
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
