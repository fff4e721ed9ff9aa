#include "NativeErrors.h"

namespace db {

namespace {
struct Mapping {
    long number;
    const char* sqlState;
};

Mapping mapSqlite(int code, const QString& message)
{
    const int primary = code & 0xFF;
    const QString m = message.toLower();
    if (code == 1555 || code == 2067 || m.contains(u"unique constraint") || m.contains(u"is not unique") ||
        m.contains(u"primary key must be unique"))
        return {2627, "23000"};
    if (code == 1299 || m.contains(u"not null constraint") || m.contains(u"may not be null"))
        return {515, "23000"};
    if (code == 787 || code == 275 || m.contains(u"foreign key constraint") || m.contains(u"check constraint"))
        return {547, "23000"};
    if (m.contains(u"no such column") || m.contains(u"has no column named"))
        return {207, "42S22"};
    if (m.contains(u"no such table"))
        return {208, "42S02"};
    if (m.contains(u"ambiguous column name"))
        return {209, "42000"};
    if (m.contains(u"no such function"))
        return {195, "42000"};
    if (m.contains(u"syntax error") || m.contains(u"incomplete input") || m.contains(u"unrecognized token"))
        return {102, "42000"};
    switch (primary) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return {serverError::Locked, "HYT00"};
    case 8: return {serverError::ReadOnly, "25000"};
    case 10: return {serverError::DiskIo, "HY000"};        // SQLITE_IOERR
    case 11: return {serverError::NotADatabase, "HY000"};  // SQLITE_CORRUPT
    case 13: return {serverError::DiskFull, "HY000"};
    case 14: return {failure::OpenDatabaseFailed, "08004"};  // SQLITE_CANTOPEN
    case 19: return {547, "23000"};   // any other constraint
    case 20: return {245, "22018"};   // SQLITE_MISMATCH
    case 26: return {serverError::NotADatabase, "08004"};
    default: break;
    }
    // Above SQL Server's own numbers, so that no failure of the database is
    // ever mistaken for an error of the language (5, 6, 13 ...).
    return {50000 + code, "HY000"};
}
}  // namespace

Error sqliteError(int code, const QString& message)
{
    const Mapping m = mapSqlite(code, message);
    Error e;
    e.Number = m.number;
    e.NativeError = m.number;
    e.SQLState = QString::fromLatin1(m.sqlState);
    e.Description = message;
    e.Source = QStringLiteral("SQLite");
    return e;
}

QString explanation(const Error& e)
{
    if (e.Source == QLatin1String("db"))
        return {};
    switch (e.NativeError) {
    case serverError::Locked:
        return QStringLiteral("La base de datos está ocupada: otro puesto está grabando en este momento. Espere unos "
                              "segundos y vuelva a intentarlo.");
    case serverError::Deadlock:
        return QStringLiteral("Otro puesto grababa lo mismo al mismo tiempo y esta operación se deshizo. Vuelva a "
                              "intentarlo.");
    case serverError::ReadOnly:
        return QStringLiteral("No se puede grabar: la base de datos es de solo lectura para este puesto (el archivo o "
                              "su carpeta no admiten escritura). Avise al responsable del sistema.");
    case serverError::DiskFull:
        return QStringLiteral("No se puede grabar: no queda espacio en el disco de la base de datos. Libere espacio o "
                              "avise al responsable del sistema.");
    case serverError::DiskIo:
        return QStringLiteral("Falló la lectura o la escritura en el disco de la base de datos. Vuelva a intentarlo; "
                              "si se repite, avise al responsable del sistema.");
    case serverError::NotADatabase:
        return QStringLiteral("El archivo de la base de datos está dañado o no es una base de datos. Avise al "
                              "responsable del sistema.");
    case failure::OpenDatabaseFailed:
        return QStringLiteral("No se puede abrir la base de datos: revise su nombre y que este puesto tenga acceso a "
                              "ella.");
    case serverError::LoginFailed:
        return QStringLiteral("El servidor de base de datos rechazó el usuario o la contraseña. Revíselos y vuelva a "
                              "intentarlo.");
    default: break;
    }
    const QString state = e.SQLState.toUpper();
    if (state == QLatin1String("28000"))
        return explanation({serverError::LoginFailed, {}, {}, serverError::LoginFailed, {}});
    if (state == QLatin1String("08001") || state == QLatin1String("08S01"))
        return QStringLiteral("No se puede conectar con el servidor de base de datos: revise el nombre del servidor, "
                              "que esté en marcha y que la red funcione.");
    if (state == QLatin1String("HYT00") || state == QLatin1String("HYT01"))
        return QStringLiteral("El servidor de base de datos no respondió a tiempo. Vuelva a intentarlo; si se repite, "
                              "avise al responsable del sistema.");
    return {};
}

Error layerError(long number, const QString& sqlState, const QString& description)
{
    Error e;
    e.Number = number;
    e.NativeError = number;
    e.SQLState = sqlState;
    e.Description = description;
    e.Source = QStringLiteral("db");
    return e;
}

Error refusedDatabase(const QString& name, const QString& why)
{
    return layerError(failure::OpenDatabaseFailed, QStringLiteral("08004"),
                      QStringLiteral("No se puede abrir la base de datos \"%1\": %2").arg(name, why));
}

Error missingDatabaseFile(const QString& name)
{
    return refusedDatabase(name, QStringLiteral("el archivo no existe."));
}

Error wrongDatabaseFile(const QString& name)
{
    return refusedDatabase(name, QStringLiteral("el archivo no es una base de datos de este sistema. No se modificó."));
}

Error readOnlyDatabaseFile(const QString& name)
{
    return refusedDatabase(name, QStringLiteral("este puesto no tiene permiso para escribir en el archivo o en su "
                                                "carpeta, y sin él no se puede grabar nada en ella. No se modificó. "
                                                "Avise al responsable del sistema."));
}

}  // namespace db
