#include "EnlaceObjConsultas.h"

#include "Lib_ClsCons3.h"
#include "core/EnlaceConsultas.h"

namespace {
class EnlaceObjConsultas : public EnlaceConsultas {
public:
    void Prepara(const QString& gConnString, bool gUsarMascarasConsultas,
                 const QString& gRutaMascaraConsultas) override
    {
        Lib_ClsCons3& facade = ObjConsultas();
        facade.gConnString = gConnString;
        facade.gUsarMascarasConsultas = gUsarMascarasConsultas;
        facade.gRutaMascaraConsultas = gRutaMascaraConsultas;
    }
};
}  // namespace

void RegistraObjConsultas()
{
    static EnlaceObjConsultas enlace;
    RegistraEnlaceConsultas(&enlace);
}
