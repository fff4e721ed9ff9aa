#pragma once

#include <QString>
#include <cstdint>

class DB_Dll;

// The TRP transfer voucher the start-up form builds: branch (4 digits),
// number (8 digits) and letter. New vouchers take branch 0001 and letter X.
struct ComprobanteTransferencia {
    QString Sucursal;
    QString Numero;
    QString Letra;

    bool operator==(const ComprobanteTransferencia&) const = default;
};

inline const QString TipoTransferencia = QStringLiteral("TRP");

// The voucher that follows the highest stored TRP number.
ComprobanteTransferencia ProximoComprobanteTRP(std::int32_t ultimoNumero);

// The highest TRP number over every branch and letter, 0 when there is none;
// false when it could not be read (the data layer has told the operator).
// `bloqueando`: the read is the first step of a save, inside its transaction,
// and keeps other stations from numbering until that transaction ends (on
// SQLite the transaction already holds the write lock; SQL Server is asked
// for an update lock held to the end).
bool UltimoNumeroTRP(DB_Dll& db, bool bloqueando, std::int32_t& ultimo);

// The rows of a stored TRP voucher, the test of whether a header names one.
QString SentenciaComprobanteTRP(DB_Dll& db, const ComprobanteTransferencia& c);

// The first depot of a user's business unit.
QString SentenciaDepositoDelUsuario(DB_Dll& db, const QString& usuario);

// The depots of a user's business unit, description and code, by description:
// what the depot lookup lists.
QString SentenciaConsultaDepositos(DB_Dll& db, const QString& usuario);
