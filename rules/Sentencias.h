#pragma once

#include <QString>
#include <cstdint>

// The statements the stock and numbering rules send, built as text in SQL
// Server's dialect. Every value goes in through DB_Dll::SQLValue; codes are
// trimmed and right-justified to their stored widths here (articles 25;
// depots, units and voucher types 4), so callers pass them as they hold them.
namespace sentencias {

// The seven voucher letters, in the order the operator is told them.
inline const QString LetrasValidas = QStringLiteral("A,B,C,E,R,X,M");

// True when the trimmed text is exactly one of the seven voucher letters
// (any case).
bool EsLetraValida(const QString& letra);
// The name of a talonario column of one letter: the letter (trimmed, upper
// case) followed by the suffix, e.g. "X" + "_ULTIMO_NRO". Anything but one
// valid letter fails with the invalid-call error, so no column is ever named
// from an empty or foreign letter.
QString ColumnaLetra(const QString& letra, const QString& sufijo);

// --- talonarios -----------------------------------------------------------
QString TalonariosDelTipo(const QString& tipo);
// The same in the table every system shares, for a type that has no
// talonario of this system's.
QString TalonariosCompartidosDelTipo(const QString& tipo);
QString TalonariosDeSucursal(const QString& tipo, const QString& letra, const QString& sucursal);
QString TalonarioDelTipo(const QString& tipo, std::int16_t talonario);
QString TalonarioParaGrabar(const QString& tipo, std::int16_t talonario);
QString TalonarioCompartido(const QString& tipo, const QString& sistema, std::int16_t talonario);
// Records the next number of a letter in the row found by TalonarioParaGrabar
// (compartido false) or by TalonarioCompartido (compartido true), unless a
// higher one is recorded already; with a date and time, stamps the row with
// it as well.
QString ActualizaUltimoNumero(bool compartido, const QString& tipo, const QString& sistema, const QString& letra,
                              const QString& numero, std::int16_t talonario, const QString& fechaHora = {});
// The control row of a number handed out, written from the talonario's row
// (as ActualizaUltimoNumero finds it) unless the number has its control row
// already: the statement is handed to callers who may run it twice.
QString InsertaControl(bool compartido, const QString& tipo, const QString& sistema, std::int16_t talonario,
                       const QString& sucursal, const QString& numero, const QString& letra);
QString BorraControl(const QString& tipo, const QString& sucursal, const QString& numero, const QString& letra);

// --- numbers already used -------------------------------------------------
QString AsientosDelComprobante(const QString& tipo, const QString& sucursal, const QString& numero,
                               const QString& letra, const QString& cuenta);
QString UltimoAsiento(const QString& tipo, const QString& sucursal, const QString& letra);
QString CompraExistente(const QString& tipo, const QString& idComprobante);
QString UltimaCompra(const QString& tipo, const QString& sucursal, const QString& letra);
QString IdentificadorEnStock(const QString& tipo, const QString& idComprobante);
QString UltimoIdentificadorEnStock(const QString& tipo, const QString& sucursal, const QString& letra);

// --- stock ----------------------------------------------------------------
// The depot may come as a code or as a ready quoted literal ("'   1'").
QString LotesDelArticulo(const QString& articulo, const QString& deposito);
QString InsumosDelArticulo(const QString& articulo);
QString UnidadDelArticulo(const QString& articulo);
QString Equivalencia(const QString& articulo, const QString& unidad, const QString& unidadEquivalente);
// One depot, or every depot when the depot is blank.
QString StockDelArticulo(const QString& deposito, const QString& articulo, const QString& unidad);

}  // namespace sentencias
