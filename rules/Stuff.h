#pragma once

#include "rules/NivelesFamilia.h"

#include <QString>
#include <QVariant>
#include <cstdint>

// Module Stuff: voucher numbering over talonarios, number validation and
// recording, voucher letters, accounting entries, type equivalences and
// family-code levels.

// --- voucher numbering ---------------------------------------------------
// The TALONARIO of the talonario chosen last by the numbering or matched
// last by the validation; the recording reads it.
extern std::int16_t TalonarioActual;

// Proposes branch ("0000"), number ("00000000") and letter of a new voucher
// of the type from its first usable talonario (those of V_TA_CPTE, or for a
// type that has none there, those of the shared TA_Comprobantes); sets
// ModificaNumeracion from the talonario. A type without talonarios gets
// branch 0001, number 1, letter X. When every talonario is used up the
// operator is told so and branch and number stay as passed.
void Obtener_Nro_Comprobante_Contable(const QString& Tipo, QString& Sucursal, QString& Numero, QString& Letra,
                                      bool& ModificaNumeracion, const QString& Fecha);
// The talonario proposal, then for accounting vouchers (Contable) the number
// after the accounting entries or, for purchase orders, after the stored
// orders; otherwise the control row of the proposed number is deleted.
void Obtener_Nro_Comprobante(const QString& Tipo, QString& Sucursal, QString& Numero, QString& Letra,
                             bool& ModificaNumeracion, bool Contable, const QString& NoUsado = {});
// The 13-character identifier (branch, number, letter) of a new voucher of
// the type, after any identifier the stock movements already hold for the
// same type, branch and letter. Empty when the procedure was left on an error.
QVariant AsignarNumeroComprobante(const QString& Tipo, QString& Sucursal, QString& Letra);

// Whether the number belongs to a talonario of the type, branch and letter,
// within its range and not expired at Fecha (empty: no expiry check). On
// false, Mensaje holds the operator's explanation; on true it is empty.
// An empty letter is read as X.
bool ValidaNumeroComprobante(const QString& Tipo, const QString& Sucursal, const QString& Numero,
                             const QString& Letra, QString& Mensaje, const QString& Fecha);
// Records NumeroSiguiente (the voucher's number plus one) as the letter's
// next number in the voucher's talonario, unless a higher one is recorded
// already: no road takes a talonario's number back. Without SoloSQL it is
// written at once, with the row's date and time of change. With SoloSQL
// nothing is executed: SQL receives the statements for the caller's own
// transaction (the UPDATE, and for accounting vouchers, Contable or type OC
// a CR LF, the control-row INSERT and a CR LF). An empty letter becomes X.
void ActualizaNumeroComprobante(const QString& Tipo, const QString& Sistema, const QString& Sucursal,
                                const QString& NumeroSiguiente, QString& Letra, bool SoloSQL, QString& SQL,
                                bool Contable);

// --- letters, accounting entries, type equivalences ------------------------
// "C" unless the company's tax condition is 1; then "B" for a voucher tax
// condition above 2, else "A". Both are read as numbers.
QString LetraComprobante(const QString& CondicionEmpresa, const QString& CondicionComprobante);
// Whether an accounting entry exists for the voucher (and account, when
// given); Asiento then receives "MM - NNNNNN" (operating month, entry number).
bool ExisteAsiento(const QString& Tipo, const QString& Sucursal, const QString& Numero, const QString& Letra,
                   QString& Asiento, const QString& Cuenta = {});
// The voucher type the type is equivalent to (configuration key EQU_<type>
// for the types that have one), the type itself for the types that are
// their own equivalent, or the empty text.
QString EquivalenciaComprobante(const QString& Tipo);

// --- family-code levels ----------------------------------------------------
// Loaded from FLIA_NIVEL1..FLIA_NIVEL6; zero until loaded, kept until the
// next load.
extern NivelesFamilia LargoNivelFamilia;
extern std::int16_t LargoTotalFamilia;
extern NivelesFamilia FinNivelFamilia;

// Loads the six level widths and their total.
void CargaNivelesFamilia();
// Loads the cumulative level ends that FamiliaPadre cuts by.
void CargaFinesNivelFamilia();
// Both loads above from one read of the settings, leaving what the two calls
// one after the other leave (a failing width keeps the ends unloaded too).
void CargaNivelesYFinesFamilia();
// The parent family code, by the loaded level ends (see NivelesFamilia.h).
QString FamiliaPadre(const QVariant& Codigo);
