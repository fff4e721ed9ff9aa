#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// Runs the non-blank statements as one transaction on the shared connection:
// "BEGIN TRANSACTION ", the statements separated by CR, then "COMMIT
// TRANSACTION", or "ROLLBACK TRANSACTION" when the database reported an error
// or HuboError was already set. A failure sets HuboError (never clears it),
// gives the first error's native number in NroError (0 when none), shows the
// operator one message ("Aviso al Operador!"; none for a duplicate key when
// IgnoraDuplicados) and writes one AUX_ERR row with the whole batch.
void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados);

// Writes one row of the error log AUX_ERR. A failure raises RuntimeError.
void GrabaErrorSQL(const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion);
