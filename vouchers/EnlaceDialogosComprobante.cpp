#include "vouchers/EnlaceDialogosComprobante.h"

namespace {
EnlaceDialogosComprobante* g_enlace = nullptr;
}  // namespace

void RegistraEnlaceDialogosComprobante(EnlaceDialogosComprobante* enlace)
{
    g_enlace = enlace;
}

EnlaceDialogosComprobante* EnlaceDialogosComprobanteRegistrado()
{
    return g_enlace;
}
