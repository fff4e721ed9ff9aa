#pragma once

#include <QString>

// What became of the transfer of one line (the start-up form's
// TransfiereLinea), for the two roads that run it: the quantity the operator
// confirms in the grid's editor, and the automatic proposal over a page.
struct ResultadoTransferencia {
    enum class Estado {
        // No quantity: nothing happens.
        SinCantidad,
        // The quantity is refused; `motivo` tells the operator why. Nothing
        // of the line changes.
        Rechazada,
        // 0: the line's positions and quantities are cleared; nothing is saved.
        Vaciada,
        // The position dialog was cancelled or placed nothing: the line shows
        // 0 and no positions; nothing is saved.
        Cancelada,
        // The line went into the voucher.
        Grabada,
        // The line's save failed and the operator was told where it failed;
        // nothing of the line is stored.
        Fallida,
    };

    Estado estado = Estado::SinCantidad;
    // Rechazada: the message for the operator.
    QString motivo;
    // Once the position dialog answered: the quantity it accepted, as the
    // line shows it ("0" when it placed nothing).
    QString cantidad;
    // Fallida: the operator gave the line up while another station held the
    // lock.
    bool abandonada = false;
    // Fallida: another station saved the line since it was loaded.
    bool otroPuesto = false;

    // A refusal or a failed save: the editor stays on the cell.
    bool esError() const { return estado == Estado::Rechazada || estado == Estado::Fallida; }
    // The position dialog answered, and `cantidad` holds its quantity.
    bool respondioDialogo() const { return estado == Estado::Cancelada || grabacionIntentada(); }
    // The line's save ran, whatever its outcome.
    bool grabacionIntentada() const { return estado == Estado::Grabada || estado == Estado::Fallida; }
};
