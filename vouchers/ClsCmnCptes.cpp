#include "vouchers/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/Objetos.h"

ClsCmnCptes::ClsCmnCptes()
    : PorcentajeIVA(ObjUtilidades().TextoAMoneda(Cfg(QStringLiteral("PIVA"))).toDouble()),
      PorcentajeIVARec(ObjUtilidades().TextoAMoneda(Cfg(QStringLiteral("PIVARec"))).toDouble())
{
}
