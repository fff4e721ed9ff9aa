#pragma once

#include "core/ArchivoConsultas.h"

#include <QString>
#include <optional>

// The first record of the lookup-definition file whose table, without
// characters 0 and 255 and trimmed, equals the trimmed table name, ignoring
// case. Tabla comes back cleaned, the other fields as stored. None when the
// file is missing, cannot be read or holds no such record.
std::optional<MascaraConsulta> BuscaMascaraConsulta(const QString& ruta, const QString& tabla);
