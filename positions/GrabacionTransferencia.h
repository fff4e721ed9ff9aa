#pragma once

#include "LineaTransferencia.h"

#include <QDate>
#include <QString>
#include <optional>

class DB_Dll;

// How a line's voucher is numbered when the line is saved.
enum class NumeracionLinea {
    // The first line of a new voucher: it takes the next free number.
    Nueva,
    // A later line of a new voucher: its number is already the voucher's.
    Fijada,
    // A line of a reopened voucher.
    Reabierta,
};

// What the save does with a line that another station saved since it was
// loaded: tell the operator at once, or leave that to the caller, who counts
// such lines over a run.
enum class AvisoOtroPuesto { Avisa, Calla };

struct LineaGrabada {
    bool grabada = false;
    // The operator gave the line up while another station held the lock.
    bool abandonada = false;
    // The voucher the line went into: the new number on a first line.
    ComprobanteTransferencia comprobante;
    // The id the line takes ("" when it could not be read).
    QString id;
    // Refused: another station saved the line since it was loaded (placed
    // its stock, or changed a reopened line's positions).
    bool otroPuesto = false;
};

// Saves one line as part of its TRP voucher, all of it or nothing, in one
// transaction on `db`: the check of the line's distribution (refused: the
// operator is told and nothing is written), the voucher number on a first
// line, the statements through the transaction runner (a failure is reported
// and logged there), and the id the line takes. The number and the id are
// read inside the transaction, under the lock that keeps other stations from
// numbering or writing meanwhile: two stations saving at once never share a
// number, and a line never takes the id of another station's row. While
// another station holds the lock, the operator is asked whether to wait more
// (error dialog) and may give the line up. A failure while building the
// statements is shown and runs nothing. A line that another station saved
// since it was loaded is refused with nothing written (otroPuesto), and the
// operator told unless `aviso` leaves that to the caller. HayError is set on
// every failure and never cleared.
LineaGrabada GrabaLineaTransferencia(DB_Dll& db, const CabeceraTransferencia& cabecera, NumeracionLinea numeracion,
                                     const LineaTransferencia& linea, const QString& usuario, const QDate& fecha,
                                     bool& HayError, AvisoOtroPuesto aviso = AvisoOtroPuesto::Avisa);

// What is left without position now of the line's depot, article, lot and
// unit, as the list of lines counts it; nullopt when it could not be read
// (the data layer has told the operator). Less than the line showed when
// loaded: another station has placed (part of) it since.
std::optional<Currency> SinPosicionAhora(DB_Dll& db, const CabeceraTransferencia& cabecera,
                                         const LineaTransferencia& linea);
