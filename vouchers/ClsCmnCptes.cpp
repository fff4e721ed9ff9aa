// The class's set-up, and the rules the entry form applies while the
// operator types: repeated codes and fractions.
#include "vouchers/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/Objetos.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "vouchers/NumeroCelda.h"

#include <cmath>

ClsCmnCptes::ClsCmnCptes()
    : PorcentajeIVA(ObjUtilidades().TextoAMoneda(Cfg(QStringLiteral("PIVA"))).toDouble()),
      PorcentajeIVARec(ObjUtilidades().TextoAMoneda(Cfg(QStringLiteral("PIVARec"))).toDouble())
{
}

namespace {

bool codigoRepetido(const FlexGrid& grilla, const QString& valor, std::int32_t filaIgnorar,
                    std::int32_t* filaEncontrada)
{
    const QString buscado = valor.trimmed();
    for (int fila = 1; fila < grilla.Rows(); ++fila) {
        if (fila == filaIgnorar || !lang::sameText(grilla.TextMatrix(fila, 0).trimmed(), buscado))
            continue;
        if (filaEncontrada)
            *filaEncontrada = fila;
        return true;
    }
    return false;
}

}  // namespace

bool ClsCmnCptes::TareaRepetida(const FlexGrid& MSFlexGrid1, const QString& Tarea, std::int32_t FilaIgnorar) const
{
    return codigoRepetido(MSFlexGrid1, Tarea, FilaIgnorar, nullptr);
}

bool ClsCmnCptes::TareaRepetida(const FlexGrid& MSFlexGrid1, const QString& Tarea, std::int32_t FilaIgnorar,
                                std::int32_t& FilaEncontrada) const
{
    return codigoRepetido(MSFlexGrid1, Tarea, FilaIgnorar, &FilaEncontrada);
}

bool ClsCmnCptes::ArticuloRepetido(const FlexGrid& MSFlexGrid2, const QString& Articulo,
                                   std::int32_t FilaIgnorar) const
{
    return codigoRepetido(MSFlexGrid2, Articulo, FilaIgnorar, nullptr);
}

bool ClsCmnCptes::ArticuloRepetido(const FlexGrid& MSFlexGrid2, const QString& Articulo, std::int32_t FilaIgnorar,
                                   std::int32_t& FilaEncontrada) const
{
    return codigoRepetido(MSFlexGrid2, Articulo, FilaIgnorar, &FilaEncontrada);
}

bool ClsCmnCptes::OtrosConceptosRepetidos(const FlexGrid& MSFlexGrid3, const QString& OtroConcepto,
                                          std::int32_t FilaIgnorar) const
{
    return codigoRepetido(MSFlexGrid3, OtroConcepto, FilaIgnorar, nullptr);
}

bool ClsCmnCptes::OtrosConceptosRepetidos(const FlexGrid& MSFlexGrid3, const QString& OtroConcepto,
                                          std::int32_t FilaIgnorar, std::int32_t& FilaEncontrada) const
{
    return codigoRepetido(MSFlexGrid3, OtroConcepto, FilaIgnorar, &FilaEncontrada);
}

bool ClsCmnCptes::NumeroEsFraccion(const QVariant& Numero) const
{
    if (lang::isNull(Numero))
        throw RuntimeError(errnum::InvalidUseOfNull, QStringLiteral("Uso no válido de Null"));
    // Compared with its own whole part, not with a 16-bit integer, so that
    // the answer holds over the whole range of a double.
    const double numero = NumeroCelda(lang::text(Numero));
    return std::isfinite(numero) && numero != std::floor(numero);
}
