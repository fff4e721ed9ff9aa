#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class DB_Dll;
namespace db {
class Errors;
}

// Runs the non-blank statements as one transaction on the shared connection:
// "BEGIN TRANSACTION ", the statements separated by CR, then "COMMIT
// TRANSACTION", or "ROLLBACK TRANSACTION" when the database reported an error
// or HuboError was already set. A failure sets HuboError (never clears it),
// gives the first error's native number in NroError (0 when none), shows the
// operator one message ("Aviso al Operador!"; none for a duplicate key when
// IgnoraDuplicados) and writes one AUX_ERR row with the whole batch and the
// database's own numbers and texts. When another station holds the database's
// lock, the operator is asked through the error dialog whether to try again;
// a batch given up is a failure, not logged (the log waits for the same lock).
// A log row the database refuses leaves the batch a failure and raises nothing.
// A batch handed back in a text, one statement after each CR (the SQLTemp of
// ClsCmnCptes::ActualizaStock), runs as Sentencias = the text split at CR.
void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados);
// The same on a data-access object of the caller's (the shared one above).
void EjecutaTransaccion(DB_Dll& db, const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados);

// Writes one row of the error log AUX_ERR. A failure raises RuntimeError.
void GrabaErrorSQL(const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion);
void GrabaErrorSQL(DB_Dll& db, const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion);

// What the operator reads of the errors the database reported, one a line:
// the explanation of each common failure, the number and the database's own
// text of the others. Of several errors the last is left out: it is the
// server's closing remark on the first.
QString MensajeErrores(const db::Errors& errores);
// The same lines with the database's own numbers and texts, for the log.
QString DetalleErrores(const db::Errors& errores);

// Whether the database refused because another station holds its lock.
bool BaseOcupada(const db::Errors& errores);
// Tells the operator through the error dialog that the database is busy;
// true when the answer is to try again.
bool ReintentaBaseOcupada(const QString& origen);
