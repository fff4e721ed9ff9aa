#pragma once

#include "platform/Currency.h"

#include <QString>
#include <optional>

// The checks of the start-up form's fields, apart from the form.

// A branch or number as the header keeps it: the value padded with zeros to
// `digitos` (12 gives 0012); nullopt when the value is not a number.
std::optional<QString> RellenaCeros(const QString& valor, int digitos);

// What a quantity typed into a line's transfer cell leads to.
struct VeredictoTransferencia {
    enum class Paso {
        Nada,      // an empty cell: nothing happens
        Rechazo,   // refused with `mensaje`; the typed text is dropped
        Cero,      // 0: the line's positions are cleared, nothing is saved
        Posiciones // the quantity goes to the position dialog
    };
    Paso paso = Paso::Nada;
    QString mensaje;
    Currency cantidad;
};

// Checks a transfer quantity against the line's quantity without position
// (its cell text). In a reopened voucher only the line's own quantity
// passes: its positions may change, its quantity may not.
VeredictoTransferencia ValidaTransferencia(const QString& valor, const QString& cantidadLinea,
                                           bool comprobanteExistente);
