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

[[noreturn]] void fail(sqlite3* db, const QString& what)
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const db::Error e = db::sqliteError(sqlite3_extended_errcode(db), message);
    throw RuntimeError(static_cast<int>(e.Number), QStringLiteral("%1: %2").arg(what, message), QStringLiteral("EmbeddedDatabase"));
}

void runScript(sqlite3* db, const QString& script, const QString& what)
{
    const QByteArray utf8 = (QStringLiteral("BEGIN;\n") + script + QStringLiteral("\nCOMMIT;")).toUtf8();
    char* error = nullptr;
    if (sqlite3_exec(db, utf8.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        const db::Error e = db::sqliteError(sqlite3_extended_errcode(db), message);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw RuntimeError(static_cast<int>(e.Number), QStringLiteral("%1: %2").arg(what, message),
                           QStringLiteral("EmbeddedDatabase"));
    }
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
            fail(h.db, QStringLiteral("No se puede crear %1").arg(path));
        if (sqlite3_exec(h.db, "PRAGMA journal_mode=WAL;", nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(h.db, path);
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
        fail(h.db, QStringLiteral("No se puede abrir %1").arg(path));
    sqlite3_busy_timeout(h.db, 5000);
    db::SqliteBackend::registerCollation(h.db);
    runScript(h.db, script, QStringLiteral("El script"));
}
