// The toolbar's commands: a new voucher, delete, save, lookup, the transfer
// report, close and cancel. Not built yet: every key does nothing (closing the
// window still ends the program through Form_Unload).
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

void frmDRAVELO_ASIGNAR_UBICACION::VrUtil1_click(const QString&) {}

void frmDRAVELO_ASIGNAR_UBICACION::ActualizarDatos() {}
