#pragma once

// Registers the detail dialogs of this folder as the voucher rules' link
// (vouchers/EnlaceDialogosComprobante.h). A program that hosts the voucher
// rules calls it once before its first request; calling it again changes
// nothing.
void RegistraDialogosComprobante();
