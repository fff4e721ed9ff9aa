#include "voucher_dialogs/RegistraDialogosComprobante.h"

#include "voucher_dialogs/FrmCargaLotesySeries.h"
#include "voucher_dialogs/FrmConsComprobantes.h"
#include "voucher_dialogs/FrmLoteyPosicion.h"
#include "voucher_dialogs/FrmTalle.h"
#include "vouchers/EnlaceDialogosComprobante.h"

namespace {

class DialogosComprobante : public EnlaceDialogosComprobante {
public:
    std::unique_ptr<DialogoCargaLotesySeries> FrmCargaLotesySeries() override
    {
        return std::make_unique<::FrmCargaLotesySeries>();
    }
    std::unique_ptr<DialogoLoteyPosicion> FrmLoteyPosicion() override
    {
        return std::make_unique<::FrmLoteyPosicion>();
    }
    std::unique_ptr<DialogoConsComprobantes> FrmConsComprobantes() override
    {
        return std::make_unique<::FrmConsComprobantes>();
    }
    std::unique_ptr<DialogoTalle> FrmTalle() override { return std::make_unique<::FrmTalle>(); }
};

}  // namespace

void RegistraDialogosComprobante()
{
    static DialogosComprobante enlace;
    RegistraEnlaceDialogosComprobante(&enlace);
}
