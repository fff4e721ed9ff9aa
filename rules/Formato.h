#pragma once

#include "platform/Value.h"

#include <QString>
#include <cmath>

// A whole number written with at least `ancho` digits, zeros on the left
// ("0001", "00000015"); the sign, if any, goes before the zeros.
inline QString CerosIzquierda(double valor, int ancho)
{
    const double entero = lang::roundHalfEven(valor);
    const QString digitos = QString::number(std::fabs(entero), 'f', 0).rightJustified(ancho, u'0');
    return entero < 0 ? QStringLiteral("-") + digitos : digitos;
}
