// The lookups of the header fields and of the grid's cell editor. Not built
// yet: a right click or the toolbar's lookup opens nothing.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

void frmDRAVELO_ASIGNAR_UBICACION::CmdConsultar() {}
