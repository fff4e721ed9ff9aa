#pragma once

#include <QString>

// The company's settings, one row per key in TA_CONFIGURACION.

// One setting by key: a missing key gives " " (one blank), a null value "",
// a failed read "". Callers compare trimmed values or compare with "SI".
QString Cfg(const QString& Clave);
// Loads the configuration globals (core/Globals.h) once at start-up.
void CargaConfiguracion(const QString& RutaAplicacion);
// False for "FALSE", "FALSO", "0", "NO", "N" (any case, not trimmed); true otherwise.
bool EsVerdadero(const QString& Texto);
