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
        return {1222, "HYT00"};
    case 8: return {3906, "25000"};   // SQLITE_READONLY
    case 13: return {1105, "HY000"};  // SQLITE_FULL
    case 14: return {failure::OpenDatabaseFailed, "08004"};  // SQLITE_CANTOPEN
    case 19: return {547, "23000"};   // any other constraint
    case 20: return {245, "22018"};   // SQLITE_MISMATCH
    case 26: return {5172, "08004"};  // SQLITE_NOTADB
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

}  // namespace db
