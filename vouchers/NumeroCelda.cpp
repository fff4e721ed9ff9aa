#include "vouchers/NumeroCelda.h"

#include "platform/Value.h"

#include <cmath>

double NumeroCelda(QStringView texto)
{
    return lang::amountNumber(texto);
}

Currency ImporteCelda(QStringView texto)
{
    return Currency::fromDouble(NumeroCelda(texto));
}

QString TextoCelda(double valor)
{
    return lang::numberText(valor);
}

double ComoCelda(double valor)
{
    // A whole number of up to 15 digits is written with its digits alone
    // and reads back as itself (minus zero as 0): no text needed.
    if (std::fabs(valor) < 1e15 && valor == std::trunc(valor))
        return valor + 0.0;
    return NumeroCelda(TextoCelda(valor));
}
