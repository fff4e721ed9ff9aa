#include "NivelesFamilia.h"

#include "core/Objetos.h"
#include "platform/Value.h"

NivelesFamilia CalculaLargosNivel(const std::array<double, 6>& valores)
{
    NivelesFamilia largos{};
    for (std::size_t k = 0; k < largos.size(); ++k)
        largos[k] = lang::toInt16(valores[k]);
    return largos;
}

std::int16_t CalculaLargoTotal(const NivelesFamilia& largos)
{
    std::int16_t total = lang::toInt16(double(largos[1]) + largos[0]);
    for (std::size_t k = 2; k < largos.size(); ++k)
        total = lang::toInt16(double(total) + largos[k]);
    return total;
}

NivelesFamilia CalculaFinesNivel(const std::array<double, 6>& valores)
{
    NivelesFamilia fines{};
    fines[0] = lang::toInt16(valores[0]);
    for (std::size_t k = 1; k < fines.size(); ++k)
        fines[k] = lang::toInt16(valores[k] + fines[k - 1]);
    return fines;
}

QString FamiliaPadre(const QVariant& codigo, const NivelesFamilia& fines)
{
    if (lang::isNull(codigo) || lang::isEmpty(codigo))
        return {};
    const QString texto = lang::text(codigo);
    const auto largo = texto.size();
    if (largo == fines[0])
        return {};
    for (std::size_t k = 1; k < fines.size(); ++k) {
        if (largo == fines[k])
            return ObjUtilidades().RecortaTexto(texto, fines[k - 1]);
    }
    return {};
}
