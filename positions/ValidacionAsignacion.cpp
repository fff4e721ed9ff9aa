#include "ValidacionAsignacion.h"

#include "platform/Value.h"

#include <cmath>

std::optional<QString> RellenaCeros(const QString& valor, int digitos)
{
    if (!lang::isNumber(valor))
        return std::nullopt;
    const double n = lang::roundHalfEven(Currency::fromText(valor).toDouble());
    const QString cifras = QStringLiteral("%1").arg(static_cast<qlonglong>(std::fabs(n)), digitos, 10, QLatin1Char('0'));
    return n < 0 ? u'-' + cifras : cifras;
}

VeredictoTransferencia ValidaTransferencia(const QString& valor, const QString& cantidadLinea,
                                           bool comprobanteExistente)
{
    using Paso = VeredictoTransferencia::Paso;
    const QString v = valor.trimmed();
    if (v.isEmpty())
        return {};
    if (!lang::isNumber(v))
        return {Paso::Rechazo, QStringLiteral("Debe Ingresar un Valor Numerico"), {}};
    const Currency cantidad = Currency::fromText(v);
    const Currency deLaLinea = Currency::fromText(cantidadLinea);
    if (cantidad < Currency())
        return {Paso::Rechazo, QStringLiteral("Debe Ingresar un Valor Positivo"), cantidad};
    if (cantidad > deLaLinea)
        return {Paso::Rechazo, QStringLiteral("El Valor Ingresado no puede ser mayor al de la cantidad de la posicion "),
                cantidad};
    if (comprobanteExistente && cantidad != deLaLinea)
        return {Paso::Rechazo, QStringLiteral("No puede modificar este campo "), cantidad};
    if (cantidad.isZero())
        return {Paso::Cero, {}, cantidad};
    return {Paso::Posiciones, {}, cantidad};
}
