#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class DB_Dll;

// Runs the non-blank statements as one transaction on the shared connection:
// "BEGIN TRANSACTION ", the statements separated by CR, then "COMMIT
// TRANSACTION", or "ROLLBACK TRANSACTION" when the database reported an error
// or HuboError was already set. A failure sets HuboError (never clears it),
// gives the first error's native number in NroError (0 when none), shows the
// operator one message ("Aviso al Operador!"; none for a duplicate key when
// IgnoraDuplicados) and writes one AUX_ERR row with the whole batch.
void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados);
// The same on a data-access object of the caller's (the shared one above).
void EjecutaTransaccion(DB_Dll& db, const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados);

// Writes one row of the error log AUX_ERR. A failure raises RuntimeError.
void GrabaErrorSQL(const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion);
void GrabaErrorSQL(DB_Dll& db, const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion);
