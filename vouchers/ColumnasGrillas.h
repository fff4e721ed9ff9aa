#pragma once

// The columns of the four grids of a voucher-entry form, by number. Row 0 of
// each grid holds the headers; a line is entered when its column 0, trimmed,
// is not empty. Every member of the voucher rules and every dialog that reads
// or writes a cell names it here, so the numbers live in one place. Hidden
// columns keep their number and their text; the names follow the headers the
// grid set-up writes (a column with no header is named after what it holds).

// Tasks grid (MSFlexGrid1).
namespace ColTareas {
enum Columna : int {
    Codigo = 0,          // "Código": the task code
    Descripcion = 1,
    Horas = 2,           // hours, as "h:mm" or a plain number of hours
    ValorHora = 3,       // "Valor/Hora"
    Total = 4,
    AuxEsExento = 5,
    ImporteSinIVA = 6,
    AuxObservAdic = 7,
    AuxFechaInicio = 8,
    AuxFechaFin = 9,
    AuxIdTecnico = 10,
    AuxTasaIVA = 11,
};
inline constexpr int Columnas = 12;
}  // namespace ColTareas

// Articles grid (MSFlexGrid2). Columns without a name are hidden and unused
// by the rules; they exist so that the numbers after them hold.
//
// Before ClsCmnCptes::ActualizaStock the host fills, on every line, the
// cells marked "stock:" below besides the article, its unit and its
// quantity. The yes/no flags hold "-1" (yes) or "0" (no); AuxPideTalle and
// Aux_InsumosPorPorcentaje read an empty cell as yes, Auxesperecedero as no.
// AsignarDatosComprobante fills the flags of a loaded line from its article
// (AuxPideTalle, Auxesperecedero) and its lists (16, 17); the depot,
// EQUIV_UDBASE and Aux_InsumosPorPorcentaje stay the host's.
namespace ColArticulos {
enum Columna : int {
    Codigo = 0,                        // the article code; header from "NombreArticulos"
    Descripcion = 1,
    Lista = 2,                         // price list of the line
    UD = 3,                            // the line's unit
    Dep = 4,                           // "Dep.": the line's depot; stock: blank takes ArgumentosStock::IdDeposito
    Cant = 5,                          // "Cant.": the line's quantity
    UDEquiv = 6,                       // equivalent unit
    CantEquiv = 7,                     // "Cant. Equiv": quantity in the equivalent unit
    PorcDto = 8,                       // "% Dto."
    Importe = 9,
    Total = 10,                        // "Total" of the line, hidden
    AuxEsExento = 11,
    AuxPrecioSinIVA = 12,
    TotalConImpuestos = 13,            // "TOTAL": the line total shown, internal taxes included
    AuxPideSerie = 14,
    AuxPidelote = 15,
    // stock: the lists the requests hand back (vouchers/ListasSerieLote.h):
    // an incoming line's lots (PideSerieLote's LoteNvo) and serial numbers
    // (SerieNvo); an outgoing line's lot-and-serial items
    // (PideSerieLote_Salidas' SeriesLoteNvo) and their quantities
    // (CantidadesNvo); a size line's keys and quantities (the size dialog's
    // TalleColorSexo and Cantidades). Positions are not stock rows: the
    // host keeps PidePosicionLote's lists itself.
    AuxNroLote = 16,                   // the line's lot list ("Nro. Lote" when shown)
    AuxNroSerie = 17,                  // the line's series or quantities list ("Nro. Serie" when shown)
    AuxRestoPorAplicar = 18,
    AuxTipoArticulo = 19,
    AuxRubroArticulo = 20,
    AuxListaConIVA = 21,
    AuxPrecioConIVA = 22,
    AuxCantidadInsumo = 23,            // stock, "OP" only: "-1" on the produced lines
    AuxImporteDescuentoArticulo = 24,
    AuxTipoCoeficiente = 25,
    AuxCoeficiente = 26,
    AuxStockDisponible = 27,
    AuxStockMinimo = 28,
    AuxTasaIVA = 29,
    AuxCpteOrigen = 30,                // origin voucher: type in characters 1-4, id in 5-17
    AuxIdCpteOrigen = 31,              // numeric id of the origin line
    Lote_Origen = 32,
    Lote_Aduana = 33,
    Costo = 34,
    Impuestos = 36,
    IVARNI = 41,                       // second VAT rate of the line
    Auxesperecedero = 42,              // stock: "-1" perishable (an incoming lot is column 16 as it stands)
    AuxPideTalle = 57,                 // stock: "-1" a size line, "0" any other line
    Aux_InsumosPorPorcentaje = 64,     // stock: "0" inputs per unit made, "-1" per hundred
    IdComprobanteCargado = 65,         // IDCOMPROBANTE of the stored voucher the line came from
    EQUIV_UDBASE = 70,                 // stock: equivalence of the line's unit to the base unit ("1" in it)
    AuxCodigoPercepcion = 72,
};
inline constexpr int Columnas = 73;
}  // namespace ColArticulos

// Other-concepts grid (MSFlexGrid3).
namespace ColOtrosConceptos {
enum Columna : int {
    Detalle = 0,
    ImporteSinIva = 1,  // "Importe S/Iva"
    Importe = 2,
    Cuenta = 3,
};
inline constexpr int Columnas = 4;
}  // namespace ColOtrosConceptos

// Totals grid (MSFlexGrid4).
namespace ColTotales {
enum Columna : int {
    Descripcion = 0,
    CantidadItems = 1,  // "Cantidad ITEM'S"
    Cantidad = 2,
};
inline constexpr int Columnas = 3;
}  // namespace ColTotales
