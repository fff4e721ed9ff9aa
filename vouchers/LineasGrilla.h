#pragma once

#include "platform/FlexGrid.h"

#include <QString>

// The lines of a voucher-entry grid: row 0 holds the headers, data rows are
// 1 to Rows - 1, and a line is entered when its column 0 (task code, article
// code, "Detalle" text), trimmed, is not empty.

inline bool LineaIngresada(const FlexGrid& grilla, int fila)
{
    return !grilla.TextMatrix(fila, 0).trimmed().isEmpty();
}

// Calls alLinea(fila) for every entered line, top to bottom.
template <typename AlLinea>
void RecorreLineas(const FlexGrid& grilla, AlLinea&& alLinea)
{
    for (int fila = 1; fila < grilla.Rows(); ++fila)
        if (LineaIngresada(grilla, fila))
            alLinea(fila);
}

// The text of a cell, or false when the row or the column lies outside the
// grid: a host's grid laid out otherwise shows less, never fails.
inline bool LeeCelda(const FlexGrid& grilla, int fila, int columna, QString& texto)
{
    if (fila < 0 || fila >= grilla.Rows() || columna < 0 || columna >= grilla.Cols())
        return false;
    texto = grilla.TextMatrix(fila, columna);
    return true;
}
