#include "vouchers/NumeroCelda.h"

#include "platform/Value.h"

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
    return NumeroCelda(TextoCelda(valor));
}
