#include "voucher_dialogs/RegistraDialogosComprobante.h"

#include "voucher_dialogs/FrmConsComprobantes.h"
#include "vouchers/EnlaceDialogosComprobante.h"

namespace {

class DialogosComprobante : public EnlaceDialogosComprobante {
public:
    std::unique_ptr<DialogoConsComprobantes> FrmConsComprobantes() override
    {
        return std::make_unique<::FrmConsComprobantes>();
    }
};

}  // namespace

void RegistraDialogosComprobante()
{
    static DialogosComprobante enlace;
    RegistraEnlaceDialogosComprobante(&enlace);
}
