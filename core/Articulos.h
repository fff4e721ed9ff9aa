#pragma once

#include <QString>

namespace db {
class Recordset;
}

// Finds an article of V_MA_ARTICULOS by its code, or with PorCodigoBarra by
// any of its barcodes first (codigobarra, CODIGOBARRADUN, CODIGOBARRA1..4,
// the last five adding the barcode's unit as IDUNIDAD) and by its code last.
// A row found by a barcode puts the article's code into Codigo. With Rs the
// caller gets the recordset standing on the found row (or empty); SoloLectura
// false opens it updatable. Failures reach the caller.
bool BuscaArticulo(QString& Codigo, db::Recordset* Rs, bool SoloLectura, bool PorCodigoBarra);
