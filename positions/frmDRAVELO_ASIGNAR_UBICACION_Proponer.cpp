// The automatic proposal over the page on screen. Not built yet: the button
// does nothing.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

void frmDRAVELO_ASIGNAR_UBICACION::cmdProponer_Click() {}
