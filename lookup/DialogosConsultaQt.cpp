#include "DialogosConsulta.h"

#include "Lib_FrmCons3.h"
#include "Lib_FrmCons3Tree.h"

namespace {
class DialogosQt : public FabricaDialogosConsulta {
public:
    std::unique_ptr<ConsultaListaDialogo> NuevaLista() override { return std::make_unique<Lib_FrmCons3>(); }
    std::unique_ptr<ConsultaDialogo> NuevoArbol() override { return std::make_unique<Lib_FrmCons3Tree>(); }
};
}  // namespace

std::unique_ptr<FabricaDialogosConsulta> DialogosConsultaQt()
{
    return std::make_unique<DialogosQt>();
}
