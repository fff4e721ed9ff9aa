#pragma once

#include <QByteArray>
#include <QString>

// The lookup-definition file "consultas.vtl": fixed records of 1202 bytes in
// the ANSI code page (Windows-1252), no header; each field padded with blanks
// to its width (longer text is cut), the record closed by CR LF. Programs of
// the family share the file, so its layout never changes.
struct MascaraConsulta {
    static constexpr int AnchoTitulo = 100;
    static constexpr int AnchoTabla = 100;
    static constexpr int AnchoCampos = 500;
    static constexpr int AnchoCondicion = 500;
    static constexpr int Largo = AnchoTitulo + AnchoTabla + AnchoCampos + AnchoCondicion + 2;

    QString Titulo;
    QString Tabla;
    QString Campos;     // "|COL1|COL2|"
    QString Condicion;

    // The record as stored.
    QByteArray Registro() const;
    // The fields of a stored record, blanks included; a short record gives
    // what it holds.
    static MascaraConsulta DeRegistro(const QByteArray& registro);
};

// Appends the framework's default lookups to the file at RutaMascaraConsultas
// (core/Globals.h), creating it (and its folder) when missing. Start-up calls it only when the
// file does not exist. A failure to write raises RuntimeError.
void CreaArchivoConsultas();
