#pragma once

#include <QString>
#include <cstdint>

// Where and how this workstation prints a voucher of a type and letter, from
// TA_CONFIG_IMP_CPTE: the workstation's row (USUARIO = "COMPUTER|user"), else
// the row for every workstation (USUARIO null). Without any row: an empty
// printer and 0 copies, CantLineas and DestinoDefault left as they are. A
// blank Usuario is filled with the workstation key. Failures go to the error
// dialog ("ObtieneImpresoraComprobante").
void ObtieneImpresoraComprobante(const QString& TC, const QString& Letra, QString& Impresora,
                                 std::int16_t& CantCopias, std::int16_t& CantLineas, QString& DestinoDefault,
                                 QString& Usuario);
