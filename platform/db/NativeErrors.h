#pragma once

#include "Errors.h"

#include <QString>

namespace db {

// Numbers of the data layer's own failures (the values ADO gives them).
namespace failure {
constexpr int NoCurrentRecord = 3021;     // BOF or EOF is true, or no current row
constexpr int ObjectClosed = 3704;        // operation not allowed on a closed object
constexpr int ObjectOpen = 3705;          // operation not allowed on an open object
constexpr int ConnectionUnusable = 3709;  // the connection is closed or invalid
constexpr int NotUpdatable = 3251;        // the recordset cannot add or change rows
constexpr int RowNotFound = -2147217864;  // the row to change is no longer there
constexpr int OpenDatabaseFailed = 4060;  // the named database cannot be opened
constexpr int NoTransaction = 3902;       // COMMIT without BEGIN TRANSACTION
constexpr int NoTransactionToRollBack = 3903;
constexpr int NoTransactionForSavepoint = 628;  // SAVE TRANSACTION outside a transaction
constexpr int CannotFetchBackward = -2147217884;  // a forward-only recordset asked to go back
}  // namespace failure

// Failures of the database that a station meets in daily work, in SQL
// Server's numbering (the embedded route maps SQLite's codes onto them).
namespace serverError {
constexpr long Locked = 1222;        // another session holds the lock (SQL Server's lock time-out)
constexpr long ReadOnly = 3906;      // the database cannot be written
constexpr long DiskFull = 1105;
constexpr long DiskIo = 823;         // the operating system failed a read or a write
constexpr long NotADatabase = 5172;  // the file is damaged or no database
constexpr long LoginFailed = 18456;
constexpr long Deadlock = 1205;      // chosen to give way to another session
}  // namespace serverError

// One error of a SQLite database in SQL Server's numbering, the numbers the
// procedures test (2627 duplicate key, 207 unknown column, ...). `code` is
// SQLite's extended result code, or the native code an ODBC driver reports.
Error sqliteError(int code, const QString& message);

// A sentence in the operator's language that says what happened and what to
// do, for the failures of serverError, a database that cannot be opened and a
// server that cannot be reached or does not answer in time; empty for the
// others (their text is for the staff) and for the layer's own errors, which
// are written in the operator's language already.
QString explanation(const Error& e);

// An error of the layer itself.
Error layerError(long number, const QString& sqlState, const QString& description);

// A database refused at its opening, in one sentence that names it (the file
// or the database the connection string gives) and says why. Every route
// refuses a wrong database in the same words.
Error refusedDatabase(const QString& name, const QString& why);
// The refusals of a file: one that is not there, and one that is no database
// of this system (another program's file, a damaged one).
Error missingDatabaseFile(const QString& name);
Error wrongDatabaseFile(const QString& name);
// The refusal of a file this station cannot write, or that lies in a folder
// it cannot write (where the database keeps the files it works with beside
// it): nothing could be saved in it.
Error readOnlyDatabaseFile(const QString& name);

}  // namespace db
