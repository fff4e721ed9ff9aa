#pragma once

#include <QString>
#include <optional>

// One record of the lookup-definition file consultas.vtl: fixed records of
// 1202 bytes (title 100, table 100, field list 500, condition 500, CR LF),
// one byte per character.
struct MascaraConsulta {
    QString Titulo;
    QString Tabla;
    QString Campos;
    QString Condicion;
};

// The first record whose table, without characters 0 and 255 and trimmed,
// equals the trimmed table name, ignoring case. Tabla comes back cleaned,
// the other fields as stored. None when the file is missing, cannot be read
// or holds no such record.
std::optional<MascaraConsulta> BuscaMascaraConsulta(const QString& ruta, const QString& tabla);
