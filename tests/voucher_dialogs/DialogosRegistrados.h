#pragma once

#include "voucher_dialogs/RegistraDialogosComprobante.h"
#include "vouchers/EnlaceDialogosComprobante.h"

// The dialogs registered as a host program registers them, for one test.
struct DialogosRegistrados {
    DialogosRegistrados() { RegistraDialogosComprobante(); }
    ~DialogosRegistrados() { RegistraEnlaceDialogosComprobante(nullptr); }
    DialogosRegistrados(const DialogosRegistrados&) = delete;
    DialogosRegistrados& operator=(const DialogosRegistrados&) = delete;
};
